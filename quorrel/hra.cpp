#include "quorrel/hra.h"

#include "runtime/base/app.h"

namespace quorrel {

namespace {

constexpr const char* kTitle = "Quorrel";
std::string Text(const char* marked) { return rt::translate("quorrel::Hra", marked); }
const char* const kScorePrefix = QT_TRANSLATE_NOOP("quorrel::Hra", "Tvoje skóre je: ");
const char* const kWalkerLivesPrefix = QT_TRANSLATE_NOOP("quorrel::Hra", "Quorrelov život: ");
const char* const kUfoLivesPrefix = QT_TRANSLATE_NOOP("quorrel::Hra", "Život ufa: ");

const char* const kRules = QT_TRANSLATE_NOOP(
    "quorrel::Hra",
    "Vítaj v mojej malej hre.\r"
    "Cieľom hry je zabiť mimozemšťana klikaním na neho skôr než sa dostane k ľavému okraju okna "
    "a potom ujde ufom. Zabiť sa ho snaž čo najviac, lebo za to získavaš skóre a čím vyššie skóre "
    "máš tým to je lepšie, lebo keď nahráš 300 bodov môžeš zostreliť ufo a potom vyhráš. Hra má "
    "celkovo tri otiažnosti. Držím ti palce!");

const char* const kEscaped =
    QT_TRANSLATE_NOOP("quorrel::Hra", "Prehral(a) si mimozemšťan utiekol ufom!");
const char* const kEscapedFromUfoPhase = QT_TRANSLATE_NOOP(
    "quorrel::Hra", "Prehral(a) si mimozemšťan utiekol ufom! Škoda už ho stačilo len zostreliť.");
const char* const kWon = QT_TRANSLATE_NOOP(
    "quorrel::Hra",
    "Zničil si ufo teraz už mimozemšťan nemá čím utiecť. Blahoželám vyhral si. Zachránil si Zem "
    "od invázie mimozemšťanov.");

}  // namespace

Hra::Hra(rt::Form& about)
    : rt::Form({.caption = "Quorrel",
                .width = 5175,
                .height = 4065,
                .left = 4050,
                .top = 2745,
                .border = rt::BorderStyle::FixedSingle,
                .backColor = kBack,
                .picture = kBackground,
                .icon = kIcon,
                .mouseIcon = kGameCursor}),
      about_(about) {
    // A screen reader moving to a difficulty reads what the screen shows for it.
    Option1.SetDescribedBy(Label2);
    Option2.SetDescribedBy(Label3);
    Option3.SetDescribedBy(Label4);
}

void Hra::Form_Load() {
    rt::Randomize();
    WalkerHits = 0;
    BestScore = 0;
    Option2.SetValue(true);
    ShowDescriptionOf(kMedium);
    UpdateClock();
}

const Level& Hra::SelectedLevel() {
    if (Option1.Value()) return kEasy;
    if (Option2.Value()) return kMedium;
    return kHard;
}

void Hra::ShowDescriptionOf(const Level& level) {
    Label2.SetVisible(level.description == 0);
    Label3.SetVisible(level.description == 1);
    Label4.SetVisible(level.description == 2);
}

void Hra::ShowOptions(bool shown) {
    rt::SetVisible({&Option1, &Option2, &Option3, &Frame1}, shown);
}
void Hra::ShowCommands(bool shown) { rt::SetVisible({&Command1, &Command2, &Command3}, shown); }
void Hra::ShowClock(bool shown) { rt::SetVisible({&Label5, &Label6}, shown); }

void Hra::UpdateClock() {
    Label5.SetCaption(rt::TimeCaption(Label5, rt::Now()));
    Label6.SetCaption(rt::DateCaption(Label6, rt::Now()));
}

void Hra::Option1_Click() { ShowDescriptionOf(kEasy); }
void Hra::Option2_Click() { ShowDescriptionOf(kMedium); }
void Hra::Option3_Click() { ShowDescriptionOf(kHard); }

float Hra::DrawWalkerStep(const Level& level) {
    return static_cast<float>(rt::DrawInRange(rt::Rnd(), level.step.span, level.step.base));
}

void Hra::Command1_Click() {
    const Level& level = SelectedLevel();
    Label9.SetCaption(rt::translate("quorrel::Hra", "Obtiažnosť: ") + RulesText(level.name));
    Label10.SetCaption(Text(kWalkerLivesPrefix) + rt::Str(level.lives));
    WalkerStep = DrawWalkerStep(level);
    WalkerLives = level.lives;

    Score = 0;
    WalkerHits = 0;
    UfoHits = 0;
    Ending = false;

    SetMousePointer(rt::kCustomPointer);
    Image2.SetVisible(true);
    ShowOptions(false);
    rt::SetVisible({&Label2, &Label3, &Label4}, false);
    rt::SetVisible({&Label9, &Label10}, true);
    ShowClock(false);
    Image1.SetEnabled(true);
    ShowCommands(false);
    Timer1.SetEnabled(true);
    SetPlaying(true);
    Label1.SetCaption(Text(kScorePrefix) + rt::Str(Score));
}

void Hra::Command2_Click() { ShowRules(); }

void Hra::ShowRules() {
    rt::MsgBox(Text(kRules), rt::vbInformation,
               rt::translate("quorrel::Hra", "Quorrel - pravidlá"));
}

void Hra::Command3_Click() { about_.Show(); }

void Hra::UnderlineOnly(rt::CommandButton* button) {
    for (rt::CommandButton* b : {&Command1, &Command2, &Command3}) b->SetFontUnderline(b == button);
}

void Hra::Command1_MouseMove() {
    if (!Command1.FontUnderline()) UnderlineOnly(&Command1);
}
void Hra::Command2_MouseMove() {
    if (!Command2.FontUnderline()) UnderlineOnly(&Command2);
}
void Hra::Command3_MouseMove() {
    if (!Command3.FontUnderline()) UnderlineOnly(&Command3);
}

void Hra::Form_MouseMove(int, int, rt::Twips, rt::Twips) {
    if (Command1.FontUnderline() || Command2.FontUnderline() || Command3.FontUnderline())
        UnderlineOnly(nullptr);
}

void Hra::Timer2_Timer() { UpdateClock(); }

// The walk: the test comes before the move, so the walker is seen at or past
// the edge for one tick before it escapes.
void Hra::Timer1_Timer() {
    if (Ending) return;
    const rt::Twips left = Image1.Left();
    if (left > kEscapeLeft) {
        Image1.Move(left - WalkerStep);
        return;
    }
    Ending = true;
    SetPlaying(false);
    SetMousePointer(rt::kDefaultPointer);
    const bool ufoPhase = Label11.Visible();
    rt::MsgBox(Text(ufoPhase ? kEscapedFromUfoPhase : kEscaped), rt::vbExclamation, kTitle);
    ShowVerdict();
    FinishGame();
}

void Hra::Image1_Click() {
    if (Ending) return;
    ++WalkerHits;
    if (Score >= kUfoScore && !Label11.Visible()) {
        Label11.SetVisible(true);
        Label11.SetCaption(Text(kUfoLivesPrefix) + rt::Str(kUfoLives));
    }
    const Level& level = SelectedLevel();
    WalkerLives = level.lives - WalkerHits;
    Label10.SetCaption(Text(kWalkerLivesPrefix) + rt::Str(WalkerLives));
    if (WalkerHits != level.lives) return;

    ++Score;
    Label1.SetCaption(Text(kScorePrefix) + rt::Str(Score));
    Label10.SetCaption(Text(kWalkerLivesPrefix) + rt::Str(level.lives));
    WalkerLives = level.lives;
    WalkerHits = 0;
    Image1.Move(kWalkerHomeLeft, kWalkerHomeTop);
    WalkerStep = DrawWalkerStep(level);
}

void Hra::Image2_Click() {
    if (Ending || Score < kUfoScore) return;
    Label11.SetVisible(true);
    ++UfoHits;
    UfoLives = kUfoLives - UfoHits;
    Label11.SetCaption(Text(kUfoLivesPrefix) + rt::Str(UfoLives));
    if (UfoHits != kUfoLives) return;

    Ending = true;
    SetPlaying(false);
    Image2.SetVisible(false);
    rt::MsgBox(Text(kWon), rt::vbInformation, rt::translate("quorrel::Hra", "Vyhral si"));
    SetMousePointer(rt::kDefaultPointer);
    FinishGame();
}

void Hra::ShowVerdict() {
    rt::MsgBox(VerdictText(SelectedLevel(), Score), rt::vbInformation, kTitle);
}

void Hra::FinishGame() {
    const Level& level = SelectedLevel();
    ShowDescriptionOf(level);
    if (Score < BestScore) {
        Label7.SetForeColor(kBoardColor);
        Label8.SetForeColor(kBoardColor);
    } else {
        BestScore = Score;
        Label7.SetForeColor(kRecordColor);
        Label8.SetForeColor(kRecordColor);
        Label7.SetCaption(rt::translate("quorrel::Hra", "Najvyššie skóre: ") + rt::Str(BestScore));
        Label8.SetCaption(rt::translate("quorrel::Hra", "Na obtiažnosť: ") +
                          RulesText(level.recordName));
    }
    Image1.SetEnabled(false);
    Image1.Move(kWalkerHomeLeft, kWalkerHomeTop);
    Timer1.SetEnabled(false);
    ShowCommands(true);
    ShowOptions(true);
    Image2.SetVisible(false);
    rt::SetVisible({&Label9, &Label10, &Label11}, false);
    ShowClock(true);
}

}  // namespace quorrel
