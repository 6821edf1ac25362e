#pragma once
// quorrel's about box: violet, with the version and the maker's addresses.
// Its twin is nebulor_about.h.

#include "about/about.h"

namespace about {

inline const rt::Picture kQuorrelBackground{":/about/quorrel/about_background.svg", 343, 285};
inline const rt::Picture kQuorrelButton{":/about/quorrel/button.svg", 93, 41};
inline const rt::Picture kQuorrelIcon{":/about/quorrel/icon.svg", 32, 32};

class QuorrelAbout final : public About {
  public:
    explicit QuorrelAbout(const rt::ProgramInfo& info);

    static constexpr rt::Color kBack = rt::rgb(0xC0C0FF);
    static constexpr rt::Color kText = rt::rgb(0xE0E0E0);
    static constexpr rt::Color kHeading = rt::rgb(0xFF0000);
    static constexpr rt::Font kTahoma{"Tahoma", 8.25f};
    static constexpr auto kClear = rt::BackStyle::Transparent;

    // clang-format off
    rt::Label Label4{*this, "Label4", {120, 0, 3975, 495}, {.caption = "Quorrel", .alignment = rt::Alignment::Center, .backStyle = kClear, .foreColor = kBack, .font = {"Tahoma", 21.75f, true}}};
    rt::PictureBox picIcon{*this, "picIcon", {120, 120, 540, 540}, {.picture = kProgramPicture, .autoSize = true, .backColor = kBack}};
    rt::PictureBox Picture1{*this, "Picture1", {3600, 120, 540, 539}, {.picture = kQuorrelIcon, .backColor = kBack}};
    rt::Label lblTitle{*this, "lblTitle", {720, 480, 2925, 240}, {.caption = Ownership("Quorrel"), .backStyle = kClear, .foreColor = kText, .font = {"Tahoma", 8.25f, true}}};
    rt::Label Label3{*this, "Label3", {120, 720, 2415, 255}, {.caption = rt::translate("about::About", kBuiltWith), .backStyle = kClear, .foreColor = kText, .font = kTahoma}};
    rt::Label Label7{*this, "Label7", {120, 1080, 495, 255}, {.caption = rt::translate("about::QuorrelAbout", "Verzia: "), .backStyle = kClear, .foreColor = kHeading, .font = kTahoma}};
    rt::Label Label8{*this, "Label8", {639, 1080, 735, 255}, {.caption = "", .backStyle = kClear, .foreColor = kText, .font = kTahoma}};
    rt::Label Label5{*this, "Label5", {120, 1320, 375, 255}, {.caption = rt::translate("about::QuorrelAbout", "Web:"), .backStyle = kClear, .foreColor = kHeading, .font = kTahoma}};
    rt::Label lblVersion{*this, "lblVersion", {639, 1320, 1845, 225}, {.caption = maker::kWeb, .backStyle = kClear, .foreColor = kText, .font = kTahoma}};
    rt::Label Label6{*this, "Label6", {120, 1560, 495, 255}, {.caption = rt::translate("about::QuorrelAbout", "E-mail:"), .backStyle = kClear, .foreColor = kHeading, .font = kTahoma}};
    rt::Label lblDescription{*this, "lblDescription", {639, 1560, 1965, 210}, {.caption = maker::kEmail, .backStyle = kClear, .foreColor = kText, .font = kTahoma}};
    rt::Line Line1_1{*this, "Line1(1)", {.x1 = 120, .y1 = 2025, .x2 = 4080, .y2 = 2025, .borderColor = rt::rgb(0x000000), .borderWidth = 1}};
    rt::Line Line1_0{*this, "Line1(0)", {.x1 = 120, .y1 = 2040, .x2 = 4080, .y2 = 2040, .borderColor = kBack, .borderWidth = 2}};
    rt::Label Label1{*this, "Label1", {120, 2160, 2535, 255}, {.caption = rt::translate("about::QuorrelAbout", "Toto je verzia pre Windows9x/ME!"), .backStyle = kClear, .foreColor = kText, .font = kTahoma}};
    rt::CommandButton cmdOK{*this, "cmdOK", {2880, 2160, 1260, 345}, {.caption = "OK", .style = rt::ButtonStyle::Graphical, .picture = kQuorrelButton, .tabIndex = 0, .cancel = true}, &QuorrelAbout::cmdOK_Click};
    rt::Label Label2{*this, "Label2", {120, 2640, 2655, 255}, {.caption = rt::translate("about::QuorrelAbout", "Skompilované pod Windows ME."), .backStyle = kClear, .foreColor = kText, .font = kTahoma}};
    rt::CommandButton cmdSysInfo{*this, "cmdSysInfo", {2880, 2640, 1245, 345}, {.caption = rt::translate("about::QuorrelAbout", "System Info"), .style = rt::ButtonStyle::Graphical, .picture = kQuorrelButton, .tabIndex = 1}, &QuorrelAbout::cmdSysInfo_Click};
    // clang-format on

  protected:
    void Form_Load() override;
};

}  // namespace about
