#!/usr/bin/env bash
# The runtime's files include only their own layer and what lies below it,
# and only the Qt modules their layer may use; outside runtime/ nothing
# includes Qt Widgets. The layers, from the bottom (a layer of several files
# may include within itself):
#   values < x11_notice < platform < scheduler < frames < app < drawing
#   < form (form control surface accessibility destroy_filter)
#   < timer < controls < command_line < startup
set -euo pipefail
cd "$(dirname "$0")/.."
layers=(values x11_notice platform scheduler frames app drawing
        "form control surface accessibility destroy_filter" timer controls command_line startup)
# The Qt modules each layer may include, in the same order.
modules=("" "QtCore" "QtCore QtGui QtWidgets" "" "QtCore QtGui" "QtCore" "QtCore QtGui QtSvg"
         "QtCore QtGui QtWidgets" "QtCore" "QtCore QtGui QtWidgets" "QtCore" "QtCore QtGui QtWidgets")
rank() {
    for i in "${!layers[@]}"; do
        for name in ${layers[$i]}; do [ "$name" = "$1" ] && echo "$i" && return; done
    done
    echo -1
}
qt=$(dirname "$(find /usr/include -path '*qt6/QtCore/QObject' -print -quit)")/..
module() {  # the Qt module of header $1, or nothing if it is not Qt's
    local found
    found=$(find "$qt" -maxdepth 2 -name "$1" -not -path '*/private/*' -print -quit)
    [ -n "$found" ] && basename "$(dirname "$found")"
}
status=0
for file in runtime/*.h runtime/*.cpp; do
    base=$(basename "$file"); base=${base%.*}; base=${base%_qt}
    own=$(rank "$base")
    if [ "$own" -lt 0 ]; then echo "$file is in no layer"; status=1; continue; fi
    for inc in $(grep -ho '#include "[a-z_0-9]*\.h"' "$file" | sed 's/#include "\(.*\)\.h"/\1/'); do
        if [ "$(rank "$inc")" -gt "$own" ] || [ "$(rank "$inc")" -lt 0 ]; then
            echo "$file includes $inc.h, which is not below it"; status=1
        fi
    done
    for header in $(grep -ho '#include <Q[A-Za-z]*>' "$file" | sed 's/#include <\(.*\)>/\1/'); do
        mod=$(module "$header")
        case " ${modules[$own]} " in *" $mod "*) ;; *)
            echo "$file includes <$header> of ${mod:-no Qt module}, which its layer may not use"
            status=1 ;;
        esac
    done
done
for file in $(grep -rl --include='*.h' --include='*.cpp' '#include <Q' about nebulor quorrel); do
    for header in $(grep -ho '#include <Q[A-Za-z]*>' "$file" | sed 's/#include <\(.*\)>/\1/'); do
        if [ "$(module "$header")" = QtWidgets ]; then
            echo "$file includes <$header>: Qt Widgets outside runtime/"; status=1
        fi
    done
done
exit $status
