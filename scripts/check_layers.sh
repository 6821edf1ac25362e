#!/usr/bin/env bash
# The runtime's files include only what lies below them:
#   values < x11_notice < platform < scheduler < app < drawing < form < controls < command_line < startup
# and only runtime/ includes Qt Widgets.
set -euo pipefail
cd "$(dirname "$0")/.."
layers=(values x11_notice platform scheduler app drawing form controls command_line startup)
rank() { for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && echo "$i" && return; done; echo -1; }
status=0
for file in runtime/*.h runtime/*.cpp; do
    base=$(basename "$file"); base=${base%.*}; base=${base%_qt}
    own=$(rank "$base")
    for inc in $(grep -ho '#include "[a-z_]*\.h"' "$file" | sed 's/#include "\(.*\)\.h"/\1/'); do
        [ "$inc" = "$base" ] && continue
        if [ "$(rank "$inc")" -ge "$own" ]; then
            echo "$file includes $inc.h, which is not below it"; status=1
        fi
    done
done
if grep -rln --include='*.h' --include='*.cpp' -E '#include <Q(Widget|Application|Push|Label|MessageBox)' \
    about nebulor quorrel 2>/dev/null; then
    echo "Qt Widgets included outside runtime/"; status=1
fi
exit $status
