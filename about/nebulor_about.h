#pragma once
// nebulor's about box: green, with the version, the start time and the notes
// on how the game was made. Its twin is quorrel_about.h.

#include "about/about.h"

namespace about {

inline const rt::Picture kNebulorGradient{":/about/nebulor/gradient.svg", 640, 480};
inline const rt::Picture kNebulorLargeGradient{":/about/nebulor/gradient.svg", 800, 600};
inline const rt::Picture kNebulorIcon{":/about/nebulor/icon.svg", 32, 32};

class NebulorAbout final : public About {
  public:
    // `startTime` is read at every load: the box always shows when the program started.
    NebulorAbout(const rt::ProgramInfo& info, const rt::DateTime& startTime);

    static constexpr rt::Color kDarkGreen = rt::rgb(0x008000);
    static constexpr rt::Color kPaleGreen = rt::rgb(0xC0FFC0);
    static constexpr rt::Color kWarning = rt::rgb(0xC00000);
    static constexpr rt::Font kTahoma{"Tahoma", 8.25f};
    static constexpr rt::Font kTahomaBold{"Tahoma", 8.25f, true};
    static constexpr auto kClear = rt::BackStyle::Transparent;

    static constexpr const char* kDevelopmentNote = QT_TRANSLATE_NOOP(
        "about::NebulorAbout",
        "Hru som spravil behom 15.3. 2004 - 17.3. 2004 čo mi trvalo presne 9,5 hodiny "
        "čistého času do tohoto času som aj zahrnul kreslenie. Hlavný zdrojový kód bol "
        "spravený behom prvého dňa čo trvalo 1,5 hodiny. Druhý deň sa usilovne pracovalo "
        "3 hodiny. Tretí deň sa robili už hlavne úpravy, grafcké vymoženosti, vylepšovalo "
        "sa a tvrdo sa pracovalo na aboute čo spolu trvalo najdlhšie len 5 hodín :).");
    static constexpr const char* kTimerNote = QT_TRANSLATE_NOOP(
        "about::NebulorAbout",
        "Hra by mala fungovať bez problémov pod Windows 9x/ME. Pod Windows 2000/XP je hra príliš "
        "rýchla a to koli tomu, že Windowsy 2000/XP chápu Timery (časovače) ináč ako Windowsy "
        "9x/ME.");

    // clang-format off
    rt::Label Label4{*this, "Label4", {120, 0, 5295, 495}, {.caption = "Nebulor", .alignment = rt::Alignment::Center, .backStyle = kClear, .foreColor = rt::rgb(0x0000C0), .font = {"Tahoma", 21.75f, true}}};
    rt::PictureBox picIcon{*this, "picIcon", {120, 120, 540, 540}, {.picture = kProgramPicture, .autoSize = true, .backColor = rt::rgb(0x00C000)}};
    rt::PictureBox Picture1{*this, "Picture1", {4920, 120, 540, 540}, {.picture = kNebulorIcon}};
    rt::Label lblVersion{*this, "lblVersion", {720, 480, 4005, 225}, {.caption = Ownership("Nebulor"), .backStyle = kClear, .font = kTahomaBold}};
    rt::Label Label11{*this, "Label11", {3699, 480, 615, 255}, {.caption = rt::translate("about::NebulorAbout", "Verzia:"), .backStyle = kClear, .font = kTahomaBold}};
    rt::Label Label12{*this, "Label12", {4320, 480, 615, 255}, {.caption = "", .backStyle = kClear, .font = kTahoma}};
    rt::Label Label3{*this, "Label3", {120, 720, 3015, 255}, {.caption = rt::translate("about::About", kBuiltWith), .backStyle = kClear, .font = kTahomaBold}};
    rt::Label Label5{*this, "Label5", {120, 1080, 495, 255}, {.caption = rt::translate("about::NebulorAbout", "Web:"), .backStyle = kClear, .font = {"MS Sans Serif", 8.25f, true}}};
    rt::Label Label6{*this, "Label6", {720, 1080, 1455, 255}, {.caption = maker::kWeb, .backStyle = kClear, .font = kTahoma}};
    rt::Label Label7{*this, "Label7", {120, 1320, 615, 255}, {.caption = rt::translate("about::NebulorAbout", "E-mail:"), .backStyle = kClear, .font = kTahomaBold}};
    rt::Label Label8{*this, "Label8", {720, 1320, 1935, 255}, {.caption = maker::kEmail, .backStyle = kClear, .font = kTahoma}};
    rt::Label Label9{*this, "Label9", {3720, 1320, 1815, 255}, {.caption = rt::translate("about::NebulorAbout", "Hru si spustil o:"), .backStyle = kClear, .font = rt::Font{}}};
    rt::Line Line3{*this, "Line3", {.x1 = 90, .y1 = 1680, .x2 = 5520, .y2 = 1680, .borderColor = kDarkGreen, .borderWidth = 1}};
    rt::Line Line2{*this, "Line2", {.x1 = 120, .y1 = 1695, .x2 = 5520, .y2 = 1695, .borderColor = kPaleGreen, .borderWidth = 2}};
    rt::Label Label10{*this, "Label10", {120, 1800, 5415, 255}, {.caption = rt::translate("about::NebulorAbout", "Vývoj hry:"), .alignment = rt::Alignment::Center, .backStyle = kClear, .font = kTahomaBold}};
    rt::Label Label2{*this, "Label2", {120, 2040, 5415, 1215}, {.caption = rt::translate("about::NebulorAbout", kDevelopmentNote), .backStyle = kClear, .font = kTahoma}};
    rt::Line Line1_1{*this, "Line1(1)", {.x1 = 85, .y1 = 3226, .x2 = 5520, .y2 = 3226, .borderColor = kDarkGreen, .borderWidth = 1}};
    rt::Line Line1_0{*this, "Line1(0)", {.x1 = 105, .y1 = 3240, .x2 = 5520, .y2 = 3240, .borderColor = kPaleGreen, .borderWidth = 2}};
    rt::Label lblDisclaimer{*this, "lblDisclaimer", {120, 3360, 3015, 225}, {.caption = rt::translate("about::NebulorAbout", "Hra bola skompilovaná pod Windows ME."), .backStyle = kClear, .foreColor = kWarning, .font = kTahoma}};
    rt::CommandButton cmdOK{*this, "cmdOK", {4200, 3480, 1260, 345}, {.caption = "OK", .style = rt::ButtonStyle::Graphical, .picture = kNebulorGradient, .font = kTahomaBold, .tabIndex = 0, .cancel = true}, &NebulorAbout::cmdOK_Click};
    rt::Label Label1{*this, "Label1", {120, 3720, 3855, 855}, {.caption = rt::translate("about::NebulorAbout", kTimerNote), .backStyle = kClear, .foreColor = kWarning, .font = kTahoma}};
    rt::CommandButton cmdSysInfo{*this, "cmdSysInfo", {4200, 4080, 1245, 345}, {.caption = rt::translate("about::NebulorAbout", "System Info"), .style = rt::ButtonStyle::Graphical, .picture = kNebulorLargeGradient, .font = kTahomaBold, .tabIndex = 1}, &NebulorAbout::cmdSysInfo_Click};
    // clang-format on

  protected:
    void Form_Load() override;

  private:
    const rt::DateTime& startTime_;
};

}  // namespace about
