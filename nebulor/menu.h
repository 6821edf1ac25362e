#pragma once
// The main menu: difficulty, new game, about box, end; the best score of the
// run, a clock and the rules. Loaded afresh after every game.

#include "nebulor/modul1.h"
#include "nebulor/pictures.h"
#include "runtime/base/texts.h"
#include "runtime/forms/controls.h"

namespace nebulor {

class Menu final : public rt::Form {
  public:
    // `hra` is the game screen "Nová hra" opens, `about` the about box.
    Menu(Modul1& modul1, rt::Form& hra, rt::Form& about);

    static constexpr rt::Color kGreen = rt::rgb(0x00C000);
    static constexpr rt::Color kLightGreen = rt::rgb(0xC0FFC0);
    static constexpr rt::Color kMarkerBorder = rt::rgb(0x000080);  // until Timer2's first tick
    static constexpr rt::Color kNormalBorder = rt::rgb(0x0000C0);
    static constexpr rt::Color kNormalFill = rt::rgb(0x8080FF);
    static constexpr rt::Color kLitBorder = rt::rgb(0x008080);
    static constexpr rt::Color kLitFill = rt::rgb(0x80FFFF);
    static constexpr rt::Color kBestBack = rt::rgb(0xFFFFC0);
    static constexpr rt::Color kBestText = rt::rgb(0xC000C0);
    static constexpr rt::Color kScoreBack = rt::rgb(0xFFE0C0);
    static constexpr rt::Color kScoreText = rt::rgb(0xC00000);
    static inline const rt::Font kButtonFont{"Tahoma", 9.75f, true};
    static inline const rt::Font kSmallBold{"Tahoma", 8.25f, true};
    static inline const rt::Font kTitleFont{"Tahoma", 21.75f, true};
    static inline const rt::Font kClockFont{"Tahoma", 9.75f, true};
    static inline const rt::Font kScoreFont{"Tahoma", 9.0f, true};

    // clang-format off
    rt::Timer Timer2{*this, "Timer2", {.interval = 200, .enabled = true}, &Menu::Timer2_Timer};
    rt::Timer Timer1{*this, "Timer1", {.interval = 1000, .enabled = true}, &Menu::Timer1_Timer};
    rt::CommandButton Command4{*this, "Command4", {2280, 2520, 1815, 375}, {.caption = rt::translate("nebulor::Menu", "About"), .style = rt::ButtonStyle::Graphical, .picture = kSmallGradient, .backColor = kLightGreen, .font = kButtonFont, .tabIndex = 9}, &Menu::Command4_Click, &Menu::Command4_MouseMove};
    rt::CommandButton Command1{*this, "Command1", {2280, 1920, 1815, 375}, {.caption = rt::translate("nebulor::Menu", "Nová hra"), .style = rt::ButtonStyle::Graphical, .picture = kGradient, .backColor = kLightGreen, .font = kButtonFont, .tabIndex = 8}, &Menu::Command1_Click, &Menu::Command1_MouseMove};
    rt::CommandButton Command3{*this, "Command3", {2280, 3120, 1815, 375}, {.caption = rt::translate("nebulor::Menu", "Koniec"), .style = rt::ButtonStyle::Graphical, .picture = kGradient, .backColor = kLightGreen, .font = kButtonFont, .tabIndex = 6}, &Menu::Command3_Click, &Menu::Command3_MouseMove};
    rt::Frame Frame1{*this, "Frame1", {120, 120, 1335, 1335}, {.caption = rt::translate("nebulor::Menu", "Obtiažnosť"), .backColor = kGreen, .foreColor = kLightGreen, .font = kSmallBold, .tabIndex = 0}};
    rt::OptionButton Option3{Frame1, "Option3", {120, 960, 1095, 255}, {.caption = rt::translate("nebulor::Menu", "Ťažká"), .backColor = kGreen, .foreColor = kLightGreen, .font = {"Tahoma", 8.25f}, .tabIndex = 3}, &Menu::Option3_Click};
    rt::OptionButton Option2{Frame1, "Option2", {120, 600, 1095, 255}, {.caption = rt::translate("nebulor::Menu", "Stredná"), .value = true, .backColor = kGreen, .foreColor = kLightGreen, .font = {"Tahoma", 8.25f}, .tabIndex = 2}, &Menu::Option2_Click};
    rt::OptionButton Option1{Frame1, "Option1", {120, 240, 1095, 255}, {.caption = rt::translate("nebulor::Menu", "Ľahká"), .backColor = kGreen, .foreColor = kLightGreen, .font = {"Tahoma", 8.25f}, .tabIndex = 1}, &Menu::Option1_Click};
    rt::Shape Shape8{*this, "Shape8", {4320, 3240, 135, 135}, {.shape = rt::ShapeKind::Oval, .borderColor = kMarkerBorder, .fillColor = kNormalFill, .fillStyle = rt::FillStyle::Solid}};
    rt::Shape Shape7{*this, "Shape7", {1920, 3240, 135, 135}, {.shape = rt::ShapeKind::Oval, .borderColor = kMarkerBorder, .fillColor = kNormalFill, .fillStyle = rt::FillStyle::Solid}};
    rt::Shape Shape6{*this, "Shape6", {4320, 2640, 135, 135}, {.shape = rt::ShapeKind::Oval, .borderColor = kMarkerBorder, .fillColor = kNormalFill, .fillStyle = rt::FillStyle::Solid}};
    rt::Shape Shape5{*this, "Shape5", {1920, 2640, 135, 135}, {.shape = rt::ShapeKind::Oval, .borderColor = kMarkerBorder, .fillColor = kNormalFill, .fillStyle = rt::FillStyle::Solid}};
    rt::Shape Shape4{*this, "Shape4", {4320, 2040, 135, 135}, {.shape = rt::ShapeKind::Oval, .borderColor = kMarkerBorder, .fillColor = kNormalFill, .fillStyle = rt::FillStyle::Solid}};
    rt::Shape Shape3{*this, "Shape3", {1920, 2040, 135, 135}, {.shape = rt::ShapeKind::Oval, .borderColor = kMarkerBorder, .fillColor = kNormalFill, .fillStyle = rt::FillStyle::Solid}};
    rt::Line Line4{*this, "Line4", {.x1 = 0, .y1 = 1790, .x2 = 6480, .y2 = 1790, .borderColor = rt::rgb(0x000000)}};
    rt::Line Line3{*this, "Line3", {.x1 = 6480, .y1 = 1800, .x2 = 0, .y2 = 1800, .borderColor = kLightGreen, .borderWidth = 2}};
    rt::Label Label10{*this, "Label10", {1660, 800, 3135, 525}, {.caption = "Nebulor", .alignment = rt::Alignment::Center, .backStyle = rt::BackStyle::Transparent, .foreColor = rt::rgb(0x0000FF), .font = kTitleFont}};
    rt::Shape Shape2{*this, "Shape2", {1760, 1350, 135, 135}, {.shape = rt::ShapeKind::Oval, .borderColor = rt::rgb(0xC00000), .fillColor = rt::rgb(0xFF0000), .fillStyle = rt::FillStyle::Solid}};
    rt::Label Label4{*this, "Label4", {2740, 1320, 2055, 255}, {.caption = rt::translate("nebulor::Menu", "Pokračovanie hry Quorrel"), .backStyle = rt::BackStyle::Transparent, .foreColor = rt::rgb(0x00FFFF), .font = kSmallBold}};
    rt::Label Label11{*this, "Label11", {1600, 840, 3135, 495}, {.caption = "Nebulor", .alignment = rt::Alignment::Center, .backStyle = rt::BackStyle::Transparent, .foreColor = rt::rgb(0x0000C0), .font = kTitleFont, .decorative = true}};
    rt::Shape Shape1{*this, "Shape1", {1560, 840, 3375, 735}, {.shape = rt::ShapeKind::RoundedRectangle, .borderColor = rt::rgb(0x8080FF), .fillColor = rt::rgb(0x8080FF), .fillStyle = rt::FillStyle::Cross}};
    rt::Label Label9{*this, "Label9", {5040, 1320, 1215, 315}, {.caption = "", .alignment = rt::Alignment::Center, .border = true, .backColor = kLightGreen, .foreColor = rt::rgb(0x008000), .font = kClockFont}};
    rt::Label Label8{*this, "Label8", {5040, 960, 1215, 315}, {.caption = "", .alignment = rt::Alignment::Center, .border = true, .backColor = kLightGreen, .foreColor = rt::rgb(0x008000), .font = kClockFont}};
    rt::Label Label7{*this, "Label7", {0, 3600, 6375, 255}, {.caption = rt::translate("nebulor::Menu", "Info pred hraním:"), .alignment = rt::Alignment::Center, .backStyle = rt::BackStyle::Transparent, .foreColor = rt::rgb(0xC00000), .font = {"Tahoma", 11.25f, true, true}}};
    rt::Label Label6{*this, "Label6", {5280, 5160, 1095, 255}, {.caption = WebAddress(), .backStyle = rt::BackStyle::Transparent, .foreColor = rt::rgb(0x0000C0), .font = kSmallBold, .toolTip = WebAddress()}, &Menu::Label6_Click};
    rt::Label Label5{*this, "Label5", {30, 5160, 1095, 255}, {.caption = Notice(), .backStyle = rt::BackStyle::Transparent, .foreColor = rt::rgb(0x0000C0), .font = kSmallBold}, &Menu::Label5_Click};
    rt::Line Line2{*this, "Line2", {.x1 = 0, .y1 = 3585, .x2 = 6480, .y2 = 3585, .borderColor = rt::rgb(0x008000)}};
    rt::Line Line1{*this, "Line1", {.x1 = 0, .y1 = 3600, .x2 = 6480, .y2 = 3600, .borderColor = kLightGreen, .borderWidth = 2}};
    rt::Label Label3{*this, "Label3", {120, 3960, 6135, 1215}, {.caption = rt::translate("nebulor::Menu", kRules), .backStyle = rt::BackStyle::Transparent, .font = {"Tahoma", 8.25f}}};
    rt::Label Label2{*this, "Label2", {3960, 480, 2295, 270}, {.caption = rt::translate("nebulor::Menu", "Na obtiažnosť: žiadnu"), .border = true, .backColor = kScoreBack, .foreColor = kScoreText, .font = kScoreFont}, &Menu::Label2_Click, &Menu::Label2_MouseMove};
    rt::Label Label1{*this, "Label1", {3960, 120, 2295, 270}, {.caption = rt::translate("nebulor::Menu", "Najlepšie skóre: "), .border = true, .backColor = kScoreBack, .foreColor = kScoreText, .font = kScoreFont}, &Menu::Label1_Click, &Menu::Label1_MouseMove};
    // clang-format on

    static const char* const kRules;
    static std::string WebAddress();
    static std::string Notice();

  protected:
    void Form_Load() override;
    void Form_MouseMove(int button, int shift, rt::Twips x, rt::Twips y) override;

  private:
    // A command button as hovering shows it: its two captions and its markers.
    struct Hoverable {
        rt::CommandButton& button;
        std::string plain;
        std::string lit;
        rt::Shape& leftMarker;
        rt::Shape& rightMarker;
    };

    void ShowClock();
    void ColourBest(rt::Color back, rt::Color text);
    void Hover(const Hoverable& hovered);
    void LightMarkers(const Hoverable* lit);
    void Choose(rt::OptionButton& option, Level level);
    void Command1_Click();
    void Command1_MouseMove();
    void Command3_MouseMove();
    void Command4_MouseMove();
    void Command3_Click();
    void Command4_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Label1_Click();
    void Label1_MouseMove();
    void Label2_MouseMove();
    void Label2_Click();
    void Label5_Click();
    void Label6_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    std::string BestScoreText() const;
    std::string BestLevelText() const;

    Modul1& modul1_;
    rt::Form& hra_;
    rt::Form& about_;

    // clang-format off
    const Hoverable newGameButton_{.button = Command1, .plain = rt::translate("nebulor::Menu", "Nová hra"), .lit = rt::translate("nebulor::Menu", "- Nová hra -"), .leftMarker = Shape3, .rightMarker = Shape4};
    const Hoverable aboutButton_{.button = Command4, .plain = rt::translate("nebulor::Menu", "About"), .lit = rt::translate("nebulor::Menu", "- About -"), .leftMarker = Shape5, .rightMarker = Shape6};
    const Hoverable endButton_{.button = Command3, .plain = rt::translate("nebulor::Menu", "Koniec"), .lit = rt::translate("nebulor::Menu", "- Koniec -"), .leftMarker = Shape7, .rightMarker = Shape8};
    // clang-format on
};

}  // namespace nebulor
