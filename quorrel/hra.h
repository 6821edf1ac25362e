#pragma once
// The game window: the options screen and the playing screen in one form.

#include <cstdint>

#include "quorrel/pictures.h"
#include "quorrel/rules.h"
#include "runtime/forms/controls.h"

namespace quorrel {

class Hra final : public rt::Form {
  public:
    // `about` is the about box that "About" opens.
    explicit Hra(rt::Form& about);

    // Game state: kept across games, reset as each start says.
    float WalkerStep = 0;
    Counter Score = 0;
    int WalkerHits = 0;
    Counter BestScore = 0;
    int WalkerLives = 0;
    int UfoHits = 0;
    int UfoLives = 0;
    // Set from the first message box of an ending: a game ends exactly once.
    bool Ending = false;

    static constexpr rt::Color kBack = rt::rgb(0xC0C0FF);
    static constexpr rt::Color kRecordColor = rt::rgb(0x80FFFF);
    static constexpr rt::Color kBoardColor = rt::rgb(0x80FF80);
    static inline const rt::Font kBold{"MS Sans Serif", 9.75f, true};

    // clang-format off
    rt::CommandButton Command3{*this, "Command3", {3720, 1980, 1455, 315}, {.caption = rt::translate("quorrel::Hra", "About"), .style = rt::ButtonStyle::Graphical, .picture = kButtonPicture, .backColor = kBack, .tabIndex = 14, .mouseIcon = kHandCursor}, &Hra::Command3_Click, &Hra::Command3_MouseMove};
    rt::Timer Timer2{*this, "Timer2", {.interval = 500, .enabled = true}, &Hra::Timer2_Timer};
    rt::CommandButton Command2{*this, "Command2", {3720, 1680, 1455, 315}, {.caption = rt::translate("quorrel::Hra", "Pravidlá"), .style = rt::ButtonStyle::Graphical, .picture = kButtonPicture, .backColor = kBack, .tabIndex = 9, .mouseIcon = kHandCursor}, &Hra::Command2_Click, &Hra::Command2_MouseMove};
    rt::Frame Frame1{*this, "Frame1", {0, 0, 1455, 1335}, {.caption = rt::translate("quorrel::Hra", "Obtiažnosť: "), .backColor = kBack, .tabIndex = 2}};
    rt::OptionButton Option3{Frame1, "Option3", {120, 960, 975, 255}, {.caption = rt::translate("quorrel::Hra", "Ťažká"), .backColor = kBack, .tabIndex = 5}, &Hra::Option3_Click};
    rt::OptionButton Option2{Frame1, "Option2", {120, 600, 975, 255}, {.caption = rt::translate("quorrel::Hra", "Stredná"), .backColor = kBack, .tabIndex = 4}, &Hra::Option2_Click};
    rt::OptionButton Option1{Frame1, "Option1", {120, 240, 1095, 255}, {.caption = rt::translate("quorrel::Hra", "Ľahká"), .backColor = kBack, .tabIndex = 3}, &Hra::Option1_Click};
    rt::CommandButton Command1{*this, "Command1", {3720, 1320, 1455, 375}, {.caption = rt::translate("quorrel::Hra", "Štart"), .style = rt::ButtonStyle::Graphical, .picture = kButtonPicture, .backColor = kBack, .font = kBold, .tabIndex = 0, .mouseIcon = kHandCursor}, &Hra::Command1_Click, &Hra::Command1_MouseMove};
    rt::Timer Timer1{*this, "Timer1", {.interval = 10, .enabled = false}, &Hra::Timer1_Timer};
    rt::Label Label11{*this, "Label11", {2880, 840, 2175, 270}, {.caption = rt::translate("quorrel::Hra", "Život ufa: "), .visible = false, .border = true, .backColor = kBack, .font = kBold, .tabIndex = 17}};
    rt::Label Label10{*this, "Label10", {2880, 480, 2100, 270}, {.caption = rt::translate("quorrel::Hra", "Quorrelov život: "), .visible = false, .alignment = rt::Alignment::Center, .border = true, .backColor = kBack, .foreColor = rt::rgb(0x000000), .font = kBold, .tabIndex = 16}};
    rt::Label Label9{*this, "Label9", {2880, 120, 2100, 270}, {.caption = rt::translate("quorrel::Hra", "Obtiažnosť: "), .visible = false, .border = true, .backColor = kBack, .foreColor = rt::rgb(0x000000), .font = kBold, .tabIndex = 15}};
    rt::Line Line3{*this, "Line3", {.x1 = 1840, .y1 = 1560, .x2 = 1840, .y2 = 2040, .borderColor = rt::rgb(0x000000)}};
    rt::Shape Shape2{*this, "Shape2", {10, 1560, 3615, 495}, {.borderColor = rt::rgb(0x000000)}};
    rt::Shape Shape1{*this, "Shape1", {10, 2040, 3615, 255}, {.borderColor = rt::rgb(0x000000)}};
    rt::Label Label8{*this, "Label8", {45, 2040, 3540, 255}, {.caption = rt::translate("quorrel::Hra", "Na obtiažnosť: "), .backStyle = rt::BackStyle::Transparent, .foreColor = kBoardColor, .font = kBold, .tabIndex = 13}};
    rt::Label Label7{*this, "Label7", {40, 1560, 1815, 495}, {.caption = rt::translate("quorrel::Hra", "Najvyššie skóre: 0"), .alignment = rt::Alignment::Center, .backStyle = rt::BackStyle::Transparent, .foreColor = kBoardColor, .font = kBold, .tabIndex = 12}};
    rt::Image Image2{*this, "Image2", {120, 360, 2175, 615}, {.picture = kUfo, .visible = false, .stretch = true, .accessibleName = rt::translate("quorrel::Hra", "ufo")}, &Hra::Image2_Click};
    rt::Label Label6{*this, "Label6", {3960, 480, 975, 510}, {.caption = "", .alignment = rt::Alignment::Center, .border = true, .backColor = kBack, .font = kBold, .tabIndex = 11}};
    rt::Label Label5{*this, "Label5", {3960, 120, 975, 270}, {.caption = "", .alignment = rt::Alignment::Center, .border = true, .backColor = kBack, .font = kBold, .tabIndex = 10}};
    rt::Label Label4{*this, "Label4", {1560, 840, 2295, 615}, {.caption = rt::translate("quorrel::Hra", "Mimozemšťan iba prefrčí cez obrazovku. Musíš na neho kliknúť štyri krát."), .backStyle = rt::BackStyle::Transparent, .foreColor = rt::rgb(0xFFFFFF), .tabIndex = 8}};
    rt::Label Label3{*this, "Label3", {1560, 480, 2295, 495}, {.caption = rt::translate("quorrel::Hra", "Mimozemštan ide stredne rýchlo. Musíš na neho kliknúť tri krát."), .backStyle = rt::BackStyle::Transparent, .foreColor = rt::rgb(0xFFFFFF), .tabIndex = 7}};
    rt::Label Label2{*this, "Label2", {1560, 120, 2295, 495}, {.caption = rt::translate("quorrel::Hra", "Mimozemšťan ide najpomalšie. Musíš na neho kliknúť dvakrát."), .backStyle = rt::BackStyle::Transparent, .foreColor = rt::rgb(0xFFFFFF), .tabIndex = 6}};
    rt::Label Label1{*this, "Label1", {1930, 1560, 1575, 495}, {.caption = rt::translate("quorrel::Hra", "Tvoje skóre je: 0"), .alignment = rt::Alignment::Center, .backStyle = rt::BackStyle::Transparent, .foreColor = rt::rgb(0xFF0000), .font = kBold, .tabIndex = 1}};
    rt::Image Image1{*this, "Image1", {kWalkerHomeLeft, kWalkerHomeTop, 1215, 1695}, {.picture = kWalker, .enabled = false, .stretch = true, .accessibleName = rt::translate("quorrel::Hra", "mimozemšťan")}, &Hra::Image1_Click};
    // clang-format on

    // The difficulty of the selected option, tested in the order 1, 2, 3.
    const Level& SelectedLevel();
    // What "Pravidlá" shows.
    void ShowRules();

  protected:
    void Form_Load() override;
    void Form_MouseMove(int button, int shift, rt::Twips x, rt::Twips y) override;

  private:
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command1_MouseMove();
    void Command2_MouseMove();
    void Command3_MouseMove();
    void Timer1_Timer();
    void Timer2_Timer();
    void Image1_Click();
    void Image2_Click();
    void ShowVerdict();
    void FinishGame();

    void ShowDescriptionOf(const Level& level);
    // What the two screens show in turn; each caller keeps its own order.
    void ShowOptions(bool shown);
    void ShowCommands(bool shown);
    void ShowClock(bool shown);
    void UpdateClock();
    void UnderlineOnly(rt::CommandButton* button);
    float DrawWalkerStep(const Level& level);

    rt::Form& about_;
};

}  // namespace quorrel
