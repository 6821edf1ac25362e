#pragma once
// The game screen: two UFOs fly, three invaders fall from them, the player
// shoots by clicking. Each game loads the form afresh and ends in EndGame.

#include <cstdint>

#include "nebulor/modul1.h"
#include "nebulor/pictures.h"
#include "nebulor/rules.h"
#include "runtime/forms/controls.h"

namespace nebulor {

class Hra final : public rt::Form {
  public:
    // `menu` is shown again when a game ends or the window is closed.
    Hra(Modul1& modul1, rt::Form& menu);

    // Game state: kept in the form object, set as each game's load says.
    std::int16_t SpawnInterval1 = 0;  // ms
    std::int16_t SpawnInterval2 = 0;
    std::int16_t SpawnInterval3 = 0;
    Counter FallStep1 = 0;
    Counter FallStep2 = 0;
    std::int16_t Invader1Lives = 0;
    std::int16_t Invader2Lives = 0;
    std::int16_t Invader3Lives = 0;
    Counter Score = 0;
    std::int16_t Ufo1MovingLeft = kFalse;
    std::int16_t Ufo1MovingRight = kFalse;
    std::int16_t Ufo2MovingLeft = kFalse;
    std::int16_t Ufo2MovingRight = kFalse;
    float Ufo1Step = 0;  // twips per tick, a whole number
    float Ufo2Step = 0;
    std::int16_t FlashTicks = 0;

    static inline const rt::Font kLabelFont{"Tahoma", 9.0f, true};
    static constexpr rt::Color kLivesBack = rt::rgb(0xFFC0C0);
    static constexpr rt::Color kLivesText = rt::rgb(0x800000);
    static constexpr rt::Color kScoreBack = rt::rgb(0xFFE0C0);
    static constexpr rt::Color kScoreText = rt::rgb(0x804000);

    // clang-format off
    rt::PictureBox Picture3{*this, "Picture3", {2640, 4080, 1575, 1455}, {.picture = kCannon, .visible = false, .border = false, .tabIndex = 10}};
    rt::Timer Obraz{*this, "Obraz", {.interval = 250, .enabled = false}, &Hra::Obraz_Timer};
    rt::PictureBox Picture2{*this, "Picture2", {4320, 4080, 1695, 1455}, {.picture = kCannonFiring, .visible = false, .border = false, .tabIndex = 9}};
    rt::PictureBox Picture1{*this, "Picture1", {6850, 4160, 1695, 1455}, {.picture = kCannon, .border = false, .tabIndex = 8}};
    rt::Timer Pad3{*this, "Pad3", {.interval = 20}, &Hra::Pad3_Timer};
    rt::Timer Quorrel3{*this, "Quorrel3", {.interval = 0, .enabled = false}, &Hra::Quorrel3_Timer};
    rt::Timer Pad2{*this, "Pad2", {.interval = 20}, &Hra::Pad2_Timer};
    rt::Timer Pad{*this, "Pad", {.interval = 20}, &Hra::Pad_Timer};
    rt::Timer Quorrel2{*this, "Quorrel2", {.interval = 0}, &Hra::Quorrel2_Timer};
    rt::Timer Quorrel{*this, "Quorrel", {.interval = 0}, &Hra::Quorrel_Timer};
    rt::Timer Ufo2{*this, "Ufo2", {.interval = 15}, &Hra::Ufo2_Timer};
    rt::Timer Ufo{*this, "Ufo", {.interval = 15}, &Hra::Ufo_Timer};
    rt::Line Line2{*this, "Line2", {.x1 = 4560, .y1 = 240, .x2 = 4560, .y2 = 2640, .visible = false, .borderColor = rt::rgb(0xFFFFFF)}};
    rt::Line Line1{*this, "Line1", {.x1 = 0, .y1 = 0, .x2 = 0, .y2 = 2280, .visible = false, .borderColor = rt::rgb(0xFFFFFF)}};
    rt::Label Label8{*this, "Label8", {2760, 120, 1815, 270}, {.caption = rt::translate("nebulor::Hra", "Obtiažnosť: "), .border = true, .backColor = rt::rgb(0xC0FFC0), .foreColor = rt::rgb(0x0000C0), .font = kLabelFont, .tabIndex = 7}};
    rt::Label Label7{*this, "Label7", {6960, 1560, 1455, 270}, {.caption = rt::translate("nebulor::Hra", "Ufo2 život: 15"), .visible = false, .border = true, .backColor = kLivesBack, .font = kLabelFont, .tabIndex = 6}};
    rt::Label Label6{*this, "Label6", {6960, 1200, 1455, 270}, {.caption = rt::translate("nebulor::Hra", "Ufo1 život: 15"), .visible = false, .border = true, .backColor = kLivesBack, .font = kLabelFont, .tabIndex = 5}};
    rt::Label Label5{*this, "Label5", {6960, 2400, 1455, 270}, {.caption = rt::translate("nebulor::Hra", "Naj skóre: "), .border = true, .backColor = kScoreBack, .foreColor = kScoreText, .font = kLabelFont, .tabIndex = 4}};
    rt::Label Label4{*this, "Label4", {6960, 2040, 1455, 270}, {.caption = rt::translate("nebulor::Hra", "Skóre: "), .border = true, .backColor = kScoreBack, .foreColor = kScoreText, .font = kLabelFont, .tabIndex = 3}};
    rt::Label Label3{*this, "Label3", {6960, 840, 1455, 270}, {.caption = rt::translate("nebulor::Hra", "Quorrel3 život: 3"), .visible = false, .border = true, .backColor = kLivesBack, .foreColor = kLivesText, .font = kLabelFont, .tabIndex = 2}};
    rt::Label Label2{*this, "Label2", {6960, 480, 1455, 270}, {.caption = rt::translate("nebulor::Hra", "Quorrel2 život: 2"), .border = true, .backColor = kLivesBack, .foreColor = kLivesText, .font = kLabelFont, .tabIndex = 1}};
    rt::Label Label1{*this, "Label1", {6960, 120, 1455, 270}, {.caption = rt::translate("nebulor::Hra", "Quorrel1 život: 2"), .border = true, .backColor = kLivesBack, .foreColor = kLivesText, .font = kLabelFont, .tabIndex = 0}};
    rt::Image Image5{*this, "Image5", {6000, 1200, 855, 1455}, {.picture = kInvader, .visible = false, .stretch = true, .accessibleName = rt::translate("nebulor::Hra", "mimozemšťan")}, &Hra::Image5_Click};
    rt::Image Image4{*this, "Image4", {4560, 1200, 885, 1455}, {.picture = kInvader, .visible = false, .stretch = true, .accessibleName = rt::translate("nebulor::Hra", "mimozemšťan")}, &Hra::Image4_Click};
    rt::Image Image3{*this, "Image3", {4560, 480, 855, 1455}, {.picture = kInvader, .visible = false, .stretch = true, .accessibleName = rt::translate("nebulor::Hra", "mimozemšťan")}, &Hra::Image3_Click};
    rt::Image Image2{*this, "Image2", {4560, 1260, 2175, 615}, {.picture = kUfo, .enabled = false, .stretch = true, .accessibleName = rt::translate("nebulor::Hra", "ufo")}, &Hra::Image2_Click};
    rt::Image Image1{*this, "Image1", {4560, 420, 2175, 615}, {.picture = kUfo, .enabled = false, .stretch = true, .accessibleName = rt::translate("nebulor::Hra", "ufo")}, &Hra::Image1_Click};
    // clang-format on

  protected:
    void Form_Load() override;
    void Form_Unload() override;

  private:
    // An invader as its handlers meet it: its rule, its controls, its variables.
    struct InvaderParts {
        const InvaderRule& rule;
        rt::Image& image;
        rt::Image& ufo;    // it comes into view there, while the UFO is on screen
        rt::Timer& timer;  // its appearance timer
        rt::Label& livesLabel;
        std::int16_t& lives;
        std::int16_t& interval;
        Counter* fallStep;  // raised by every kill; none for invader 3
    };
    // A UFO likewise; its lives are program-wide.
    struct UfoParts {
        const UfoRule& rule;
        rt::Image& image;
        rt::Label& livesLabel;
        std::int16_t& lives;
        std::int16_t& movingLeft;
        std::int16_t& movingRight;
        float& step;
    };

    void Appear(const InvaderParts& invader);
    void Quorrel_Timer();
    void Quorrel2_Timer();
    void Quorrel3_Timer();

    void Fly(const UfoParts& ufo);
    void Ufo_Timer();
    void Ufo2_Timer();

    void Fall(rt::Image& invader, float step);
    void Pad_Timer();
    void Pad2_Timer();
    void Pad3_Timer();

    void Image1_Click();
    void Image2_Click();
    void Image3_Click();
    void Image4_Click();
    void Image5_Click();
    void Obraz_Timer();
    void FireCannon();
    void ArmUfos();
    void ReleaseInvader3();
    bool HitInvader(const InvaderParts& invader);
    void HitUfo(const UfoParts& ufo, const UfoParts& other);

    void EndGame(Outcome outcome);

    Modul1& modul1_;
    rt::Form& menu_;

    // clang-format off
    const InvaderParts invader1_{.rule = kInvader1, .image = Image3, .ufo = Image1, .timer = Quorrel, .livesLabel = Label1, .lives = Invader1Lives, .interval = SpawnInterval1, .fallStep = &FallStep1};
    const InvaderParts invader2_{.rule = kInvader2, .image = Image4, .ufo = Image2, .timer = Quorrel2, .livesLabel = Label2, .lives = Invader2Lives, .interval = SpawnInterval2, .fallStep = &FallStep2};
    const InvaderParts invader3_{.rule = kInvader3, .image = Image5, .ufo = Image2, .timer = Quorrel3, .livesLabel = Label3, .lives = Invader3Lives, .interval = SpawnInterval3, .fallStep = nullptr};
    const UfoParts ufo1_{.rule = kUfo1, .image = Image1, .livesLabel = Label6, .lives = modul1_.Ufo1Lives, .movingLeft = Ufo1MovingLeft, .movingRight = Ufo1MovingRight, .step = Ufo1Step};
    const UfoParts ufo2_{.rule = kUfo2, .image = Image2, .livesLabel = Label7, .lives = modul1_.Ufo2Lives, .movingLeft = Ufo2MovingLeft, .movingRight = Ufo2MovingRight, .step = Ufo2Step};
    // clang-format on
};

}  // namespace nebulor
