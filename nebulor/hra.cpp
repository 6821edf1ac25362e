#include "hra.h"

#include "app.h"

namespace nebulor {

namespace {

// Int(Rnd * n + k) as an interval in milliseconds.
std::int16_t DrawInterval(int n) { return rt::CheckedInteger(rt::DrawInRange(rt::Rnd(), n, 1)); }

float DrawStep(int n, int k) { return static_cast<float>(rt::DrawInRange(rt::Rnd(), n, k)); }

}  // namespace

struct Hra::Spawner {
    rt::Image& ufo;
    rt::Image& invader;
    rt::Timer& timer;
    std::int16_t& lives;
    std::int16_t fullLives;
    rt::Label& label;
    const char* prefix;
    rt::Twips offset;  // from the UFO's left
    std::int16_t& interval;
    int Difficulty::*span;
};

Hra::Hra(Modul1& modul1, rt::Form& menu)
    : rt::Form({.caption = "Nebulor",
                .width = 8490,
                .height = 5595,
                .left = 2970,
                .top = 2460,
                .border = rt::BorderStyle::FixedSingle,
                .picture = kBackground,
                .icon = kIcon,
                .mouseIcon = kGameCursor,
                .mousePointer = rt::kCustomPointer}),
      modul1_(modul1),
      menu_(menu) {
    Obraz.Tick = [this] { Obraz_Timer(); };
    Pad3.Tick = [this] { Pad3_Timer(); };
    Quorrel3.Tick = [this] { Quorrel3_Timer(); };
    Pad2.Tick = [this] { Pad2_Timer(); };
    Pad.Tick = [this] { Pad_Timer(); };
    Quorrel2.Tick = [this] { Quorrel2_Timer(); };
    Quorrel.Tick = [this] { Quorrel_Timer(); };
    Ufo2.Tick = [this] { Ufo2_Timer(); };
    Ufo.Tick = [this] { Ufo_Timer(); };
    Image1.Click = [this] { Image1_Click(); };
    Image2.Click = [this] { Image2_Click(); };
    Image3.Click = [this] { Image3_Click(); };
    Image4.Click = [this] { Image4_Click(); };
    Image5.Click = [this] { Image5_Click(); };
}

// ---- Start and end of a game

void Hra::Form_Load() {
    rt::Randomize();
    if (const Difficulty* d = DifficultyOf(modul1_)) {
        SpawnInterval1 = DrawInterval(d->startSpan1);
        SpawnInterval2 = DrawInterval(d->startSpan2);
        Label8.SetCaption(d->caption);
        FallStep1 = d->fallStep1;
        FallStep2 = d->fallStep2;
    }
    Quorrel.SetInterval(SpawnInterval1);
    Quorrel2.SetInterval(SpawnInterval2);
    FlashTicks = 0;
    Score = 0;
    Invader1Lives = 2;
    Invader2Lives = 2;
    Invader3Lives = 3;
    Ufo1MovingLeft = kTrue;
    Ufo2MovingLeft = kTrue;
    Label4.SetCaption("Skóre: " + rt::Str(Score));
    Label5.SetCaption("Naj skóre: " + rt::Str(modul1_.BestScore));
    Ufo1Step = DrawStep(30, 25);
    Ufo2Step = DrawStep(30, 15);
}

void Hra::Form_Unload() { menu_.Show(); }

// Unloads this form: nothing may touch its controls afterwards, or it loads
// again behind the menu.
void Hra::EndGame(Outcome outcome) {
    for (rt::Timer* t : {&Ufo, &Ufo2, &Quorrel, &Quorrel2, &Quorrel3, &Pad, &Pad2, &Pad3})
        t->SetEnabled(false);
    if (Score > modul1_.BestScore) {
        modul1_.BestScore = Score;
        modul1_.BestScoreSet = kTrue;
        if (const Difficulty* d = DifficultyOf(modul1_)) modul1_.BestScoreLevel = d->bestScoreLevel;
    }
    rt::MsgBox(EndText(outcome, Score, modul1_.BestScoreSet == kTrue), rt::vbInformation,
               EndTitle(outcome));
    Score = 0;
    Unload();
    menu_.Show();
}

// ---- Appearance

void Hra::Appear(const Spawner& s) {
    if (!s.ufo.Visible()) return;
    if (s.invader.Visible()) {
        if (const Difficulty* d = DifficultyOf(modul1_)) {
            s.interval = DrawInterval(d->*s.span);
            s.timer.SetInterval(s.interval);
        }
        return;
    }
    s.lives = s.fullLives;
    s.label.SetCaption(s.prefix + rt::Str(s.lives));
    s.invader.SetVisible(true);
    s.invader.SetTop(s.ufo.Top());
    s.invader.SetLeft(s.ufo.Left() + s.offset);
}

void Hra::Quorrel_Timer() {
    Appear({Image1, Image3, Quorrel, Invader1Lives, 2, Label1, "Quorrel1 život: ", 0,
            SpawnInterval1, &Difficulty::spawnSpan1});
}

void Hra::Quorrel2_Timer() {
    Appear({Image2, Image4, Quorrel2, Invader2Lives, 2, Label2, "Quorrel2 život: ", 0,
            SpawnInterval2, &Difficulty::spawnSpan2});
}

void Hra::Quorrel3_Timer() {
    Appear({Image2, Image5, Quorrel3, Invader3Lives, 3, Label3, "Quorrel3 život: ",
            kInvader3Offset, SpawnInterval3, &Difficulty::spawnSpan3});
}

// ---- Flight: the left flag is tested first, so at most one move a tick; the
// limits are read from the hidden lines before a move and the turn comes after.

namespace {
struct Flight {
    std::int16_t& movingLeft;
    std::int16_t& movingRight;
    float& step;
    int turnSpan;
    int turnBase;
};

void Fly(rt::Image& ufo, rt::Line& leftLimit, rt::Line& rightLimit, const Flight& f) {
    if (!ufo.Visible()) return;
    if (f.movingLeft == kTrue) {
        if (ufo.Left() < leftLimit.X1()) return;
        ufo.Move(ufo.Left() - f.step);
        if (ufo.Left() <= kLeftTurn) {
            f.step = DrawStep(f.turnSpan, f.turnBase);
            f.movingRight = kTrue;
            f.movingLeft = kFalse;
        }
    } else if (f.movingRight == kTrue) {
        if (ufo.Left() > rightLimit.X1()) return;
        ufo.Move(ufo.Left() + f.step);
        if (ufo.Left() >= kRightTurn) {
            f.step = DrawStep(f.turnSpan, f.turnBase);
            f.movingLeft = kTrue;
            f.movingRight = kFalse;
        }
    }
}
}  // namespace

void Hra::Ufo_Timer() { Fly(Image1, Line1, Line2, {Ufo1MovingLeft, Ufo1MovingRight, Ufo1Step, 30, 25}); }

// UFO 2 starts with up to 44 but draws at most 34 after a turn: as designed.
void Hra::Ufo2_Timer() { Fly(Image2, Line1, Line2, {Ufo2MovingLeft, Ufo2MovingRight, Ufo2Step, 20, 15}); }

// ---- Fall: the test comes before the move, so a landed invader can still be
// shot until its timer's next tick.

void Hra::Fall(rt::Image& invader, float step) {
    if (!invader.Visible()) return;
    const rt::Twips top = invader.Top();
    if (top < kGround) {
        invader.Move(invader.Left(), top + step);
        return;
    }
    EndGame(Outcome::Defeat);
}

void Hra::Pad_Timer() { Fall(Image3, static_cast<float>(FallStep1)); }
void Hra::Pad2_Timer() { Fall(Image4, static_cast<float>(FallStep2)); }
void Hra::Pad3_Timer() { Fall(Image5, kInvader3Fall); }

// ---- Shooting

void Hra::FireCannon() {
    FlashTicks = 0;
    Picture1.SetPicture(Picture2.GetPicture());
    Obraz.SetEnabled(true);
}

void Hra::Obraz_Timer() {
    FlashTicks = rt::CheckedInteger(FlashTicks + 1);
    if (FlashTicks == 2) {
        Picture1.SetPicture(Picture3.GetPicture());
        Obraz.SetEnabled(false);
    }
}

// A hit on an invader; true when it killed it.
bool Hra::HitInvader(rt::Image& invader, std::int16_t& lives, rt::Label& label,
                     const char* prefix, std::int32_t* fallStep) {
    lives = rt::CheckedInteger(lives - 1);
    label.SetCaption(prefix + rt::Str(lives));
    FireCannon();
    if (lives != 0) return false;
    invader.SetVisible(false);
    if (fallStep) ++*fallStep;
    ++Score;
    Label4.SetCaption("Skóre: " + rt::Str(Score));
    return true;
}

void Hra::Image3_Click() {
    HitInvader(Image3, Invader1Lives, Label1, "Quorrel1 život: ", &FallStep1);
    ArmUfos();
}

void Hra::Image4_Click() {
    if (HitInvader(Image4, Invader2Lives, Label2, "Quorrel2 život: ", &FallStep2))
        ReleaseInvader3();
    ArmUfos();
}

void Hra::Image5_Click() {
    HitInvader(Image5, Invader3Lives, Label3, "Quorrel3 život: ", nullptr);
    ArmUfos();
}

void Hra::ReleaseInvader3() {
    if (FallStep2 < kReleaseStep || Quorrel3.Enabled()) return;
    Quorrel3.SetEnabled(true);
    Label3.SetVisible(true);
    if (const Difficulty* d = DifficultyOf(modul1_)) SpawnInterval3 = DrawInterval(d->spawnSpan3);
    Quorrel3.SetInterval(SpawnInterval3);
}

// Once a game: only UFO 1's state is tested, and it stays enabled.
void Hra::ArmUfos() {
    if (Score < kUfoScore || Image1.Enabled()) return;
    rt::Beep();
    Image1.SetEnabled(true);
    Image2.SetEnabled(true);
    Label6.SetVisible(true);
    Label7.SetVisible(true);
    modul1_.Ufo1Lives = kUfoLives;
    modul1_.Ufo2Lives = kUfoLives;
}

// A hit on a UFO once they are shootable; destroying the second one wins,
// and EndGame must be the last thing: the form is gone after it.
void Hra::HitUfo(rt::Image& ufo, std::int16_t& lives, rt::Label& label, const char* prefix,
                 rt::Image& other) {
    if (!ufo.Enabled()) return;
    lives = rt::CheckedInteger(lives - 1);
    label.SetCaption(prefix + rt::Str(lives));
    FireCannon();
    if (lives != 0) return;
    ufo.SetVisible(false);
    rt::Beep();
    if (!other.Visible()) EndGame(Outcome::Victory);
}

void Hra::Image1_Click() { HitUfo(Image1, modul1_.Ufo1Lives, Label6, "Ufo1 život: ", Image2); }
void Hra::Image2_Click() { HitUfo(Image2, modul1_.Ufo2Lives, Label7, "Ufo2 život: ", Image1); }

}  // namespace nebulor
