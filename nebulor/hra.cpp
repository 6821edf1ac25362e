#include "nebulor/hra.h"

#include "runtime/base/app.h"

namespace nebulor {

namespace {

// Int(Rnd * n + k) as an interval in milliseconds.
std::int16_t DrawInterval(int n) { return rt::CheckedInteger(rt::DrawInRange(rt::Rnd(), n, 1)); }

float DrawStep(StepRange range) {
    return static_cast<float>(rt::DrawInRange(rt::Rnd(), range.span, range.base));
}

void ShowLives(rt::Label& label, const char* prefix, std::int16_t lives) {
    label.SetCaption(RulesText(prefix) + rt::Str(lives));
}

std::string ScorePrefix() { return rt::translate("nebulor::Hra", "Skóre: "); }

}  // namespace

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
      menu_(menu) {}

// ---- Start and end of a game

void Hra::Form_Load() {
    rt::Randomize();
    if (const Difficulty* d = DifficultyOf(modul1_)) {
        SpawnInterval1 = DrawInterval(d->startSpan1);
        SpawnInterval2 = DrawInterval(d->startSpan2);
        Label8.SetCaption(RulesText(d->caption));
        FallStep1 = d->fallStep1;
        FallStep2 = d->fallStep2;
    }
    Quorrel.SetInterval(SpawnInterval1);
    Quorrel2.SetInterval(SpawnInterval2);
    FlashTicks = 0;
    Score = 0;
    Invader1Lives = kInvader1.fullLives;
    Invader2Lives = kInvader2.fullLives;
    Invader3Lives = kInvader3.fullLives;
    Ufo1MovingLeft = kTrue;
    Ufo2MovingLeft = kTrue;
    Label4.SetCaption(ScorePrefix() + rt::Str(Score));
    Label5.SetCaption(rt::translate("nebulor::Hra", "Naj skóre: ") + rt::Str(modul1_.BestScore));
    Ufo1Step = DrawStep(kUfo1.startStep);
    Ufo2Step = DrawStep(kUfo2.startStep);
    SetPlaying(true);
}

void Hra::Form_Unload() { menu_.Show(); }

// Unloads this form: nothing may touch its controls afterwards, or it loads
// again behind the menu.
void Hra::EndGame(Outcome outcome) {
    SetPlaying(false);
    for (rt::Timer* t : {&Ufo, &Ufo2, &Quorrel, &Quorrel2, &Quorrel3, &Pad, &Pad2, &Pad3})
        t->SetEnabled(false);
    if (Score > modul1_.BestScore) {
        modul1_.BestScore = Score;
        modul1_.BestScoreSet = kTrue;
        if (const Difficulty* d = DifficultyOf(modul1_))
            modul1_.BestScoreLevel = RulesText(d->bestScoreLevel);
    }
    rt::MsgBox(EndText(outcome, Score, modul1_.BestScoreSet == kTrue), rt::vbInformation,
               EndTitle(outcome));
    Score = 0;
    Unload();
    menu_.Show();
}

// ---- Appearance

void Hra::Appear(const InvaderParts& invader) {
    if (!invader.ufo.Visible()) return;
    if (invader.image.Visible()) {
        if (const Difficulty* d = DifficultyOf(modul1_)) {
            invader.interval = DrawInterval(d->*invader.rule.spawnSpan);
            invader.timer.SetInterval(invader.interval);
        }
        return;
    }
    invader.lives = invader.rule.fullLives;
    ShowLives(invader.livesLabel, invader.rule.livesPrefix, invader.lives);
    invader.image.SetVisible(true);
    invader.image.SetTop(invader.ufo.Top());
    invader.image.SetLeft(invader.ufo.Left() + invader.rule.offset);
}

void Hra::Quorrel_Timer() { Appear(invader1_); }
void Hra::Quorrel2_Timer() { Appear(invader2_); }
void Hra::Quorrel3_Timer() { Appear(invader3_); }

// ---- Flight: the left flag is tested first, so at most one move a tick; the
// limits are read from the hidden lines before a move and the turn comes after.

void Hra::Fly(const UfoParts& ufo) {
    rt::Image& image = ufo.image;
    if (!image.Visible()) return;
    if (ufo.movingLeft == kTrue) {
        if (image.Left() < Line1.X1()) return;
        image.Move(image.Left() - ufo.step);
        if (image.Left() <= kLeftTurn) {
            ufo.step = DrawStep(ufo.rule.turnStep);
            ufo.movingRight = kTrue;
            ufo.movingLeft = kFalse;
        }
    } else if (ufo.movingRight == kTrue) {
        if (image.Left() > Line2.X1()) return;
        image.Move(image.Left() + ufo.step);
        if (image.Left() >= kRightTurn) {
            ufo.step = DrawStep(ufo.rule.turnStep);
            ufo.movingLeft = kTrue;
            ufo.movingRight = kFalse;
        }
    }
}

void Hra::Ufo_Timer() { Fly(ufo1_); }
void Hra::Ufo2_Timer() { Fly(ufo2_); }

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
    if (FlashTicks == kFlashTicks) {
        Picture1.SetPicture(Picture3.GetPicture());
        Obraz.SetEnabled(false);
    }
}

// A hit on an invader; true when it killed it.
bool Hra::HitInvader(const InvaderParts& invader) {
    invader.lives = rt::CheckedInteger(invader.lives - 1);
    ShowLives(invader.livesLabel, invader.rule.livesPrefix, invader.lives);
    FireCannon();
    if (invader.lives != 0) return false;
    invader.image.SetVisible(false);
    if (invader.fallStep) ++*invader.fallStep;
    ++Score;
    Label4.SetCaption(ScorePrefix() + rt::Str(Score));
    return true;
}

void Hra::Image3_Click() {
    HitInvader(invader1_);
    ArmUfos();
}

void Hra::Image4_Click() {
    if (HitInvader(invader2_)) ReleaseInvader3();
    ArmUfos();
}

void Hra::Image5_Click() {
    HitInvader(invader3_);
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
void Hra::HitUfo(const UfoParts& ufo, const UfoParts& other) {
    if (!ufo.image.Enabled()) return;
    ufo.lives = rt::CheckedInteger(ufo.lives - 1);
    ShowLives(ufo.livesLabel, ufo.rule.livesPrefix, ufo.lives);
    FireCannon();
    if (ufo.lives != 0) return;
    ufo.image.SetVisible(false);
    rt::Beep();
    if (!other.image.Visible()) EndGame(Outcome::Victory);
}

void Hra::Image1_Click() { HitUfo(ufo1_, ufo2_); }
void Hra::Image2_Click() { HitUfo(ufo2_, ufo1_); }

}  // namespace nebulor
