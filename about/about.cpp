#include "about/about.h"

#include <optional>

#include "runtime/base/app.h"

namespace about {

namespace {

constexpr int kInvalidArgument = 5;

// The general formatting of "&h" text: up to eight hexadecimal digits are
// the unsigned 32-bit number they spell, in decimal; other text stays as it is.
std::string GeneralFormat(const std::string& text) {
    if (text.size() < 3 || text.size() > 10 || text.compare(0, 2, "&h") != 0) return text;
    std::uint32_t value = 0;
    for (char c : text.substr(2)) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return text;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return std::to_string(value);
}

// A number's bytes from the last to the first, two digits each.
std::string HexFromLast(const std::string& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
        const auto byte = static_cast<unsigned char>(*it);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xF];
    }
    return hex;
}

// Closes an open key however the read ends.
class OpenKey {
  public:
    OpenKey(rt::Registry& registry, rt::Registry::Key key) : registry_(registry), key_(key) {}
    ~OpenKey() { registry_.CloseKey(key_); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

  private:
    rt::Registry& registry_;
    rt::Registry::Key key_;
};

}  // namespace

About::About(rt::FormDesign design, const rt::ProgramInfo& info, const char* unavailable)
    : rt::Form(std::move(design)), info_(info), unavailable_(unavailable) {}

void About::cmdOK_Click() { Unload(); }

void About::cmdSysInfo_Click() { StartSysInfo(); }

void About::StartSysInfo() {
    try {
        rt::App& app = rt::App::instance();
        std::string sysInfoPath;  // taken untested when registered: a wrong one fails to launch
        if (!GetKeyValue(rt::Registry::kLocalMachine, kInfoKey, kInfoValue, sysInfoPath)) {
            // The folder is one of this system's, so the file name joins it with '/'.
            std::string folder;
            if (GetKeyValue(rt::Registry::kLocalMachine, kLocationKey, kLocationValue, folder) &&
                !folder.empty() && app.files().Exists(folder + "/" + kToolFile))
                sysInfoPath = folder + "/" + kToolFile;
        }
        if (!sysInfoPath.empty() && app.launcher().Launch(sysInfoPath)) return;
    } catch (...) {
        // Whatever went wrong, the player only learns that the tool is not there.
    }
    rt::MsgBox(rt::translate("about::About", unavailable_), rt::vbOKOnly);
}

bool About::GetKeyValue(std::uint32_t keyRoot, const std::string& keyName,
                        const std::string& subKeyRef, std::string& keyVal) {
    rt::Registry& registry = rt::App::instance().registry();
    const std::optional<rt::Registry::Key> key = registry.OpenKey(keyRoot, keyName);
    if (!key) {
        keyVal.clear();
        return false;
    }
    const OpenKey open(registry, *key);

    std::string buffer(kValueBufferSize, '\0');
    std::uint32_t size = kValueBufferSize;
    std::uint32_t type = 0;
    if (!registry.QueryValue(*key, subKeyRef, type, buffer.data(), size) ||
        size > kValueBufferSize) {
        keyVal.clear();
        return false;
    }
    // Nothing at all is an error rather than an empty value; the key closes all the same.
    if (size == 0)
        throw rt::RuntimeError(kInvalidArgument, "Registry value " + subKeyRef + " is empty");
    // A string's terminating NUL is not part of it.
    buffer.resize(buffer[size - 1] == '\0' ? size - 1 : size);

    switch (type) {
        case rt::Registry::kString: keyVal = buffer; return true;
        case rt::Registry::kNumber: keyVal = GeneralFormat("&h" + HexFromLast(buffer)); return true;
        default:
            // A type we do not read is no value: it must not pass as an empty path.
            keyVal.clear();
            return false;
    }
}

}  // namespace about
