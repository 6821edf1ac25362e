#include "nebulor/menu.h"

#include "about/maker.h"
#include "runtime/base/app.h"

namespace nebulor {

const char* const Menu::kRules = QT_TRANSLATE_NOOP(
    "nebulor::Menu",
    "Zlý, nechutný, odporný, smradľavý a nebezpečný mimozešťania sa opäť vrátili na Zem, ale "
    "teraz v oveľa väčšom množstve. Tvojou úlohou je zabiť 60 mimozemšťanov skôr kým jeden z nich "
    "pristane na Zemi, ale pozor čím viacej krát zabiješ mimozemšťana, tak tým padá rýchlejšie, "
    "keď ich už zabiješ 60, tak sa ozve tón a budeš môcť zničiť ufá a keď už zničíš ufá, tak si "
    "zachránil Zem od ďalšej invázie mimozemšťanov, teda vyhral si.");

std::string Menu::WebAddress() { return maker::kWeb; }

std::string Menu::Notice() {
    return std::string("© ") + maker::kYear + " " + maker::NameOr("Nebulor");
}

Menu::Menu(Modul1& modul1, rt::Form& hra, rt::Form& about)
    : rt::Form({.caption = "Nebulor",
                .width = 6420,
                .height = 5370,
                .border = rt::BorderStyle::FixedSingle,
                .minButton = true,
                .backColor = kLightGreen,
                .picture = kGradient,
                .icon = kIcon}),
      modul1_(modul1),
      hra_(hra),
      about_(about) {}

void Menu::Form_Load() {
    Label1.SetCaption(rt::translate("nebulor::Menu", "Najlepšie skóre: ") +
                      rt::Str(modul1_.BestScore));
    if (!modul1_.BestScoreLevel.empty())
        Label2.SetCaption(rt::translate("nebulor::Menu", "Na obtiažnosť: ") +
                          modul1_.BestScoreLevel);
    ShowClock();
    if (modul1_.BestScoreSet == kTrue)
        ColourBest(kBestBack, kBestText);
    else if (modul1_.BestScoreSet == kFalse)
        ColourBest(kScoreBack, kScoreText);
    modul1_.SetLevel(Level::Medium);
    modul1_.BestScoreSet = kFalse;
}

void Menu::ColourBest(rt::Color back, rt::Color text) {
    for (rt::Label* l : {&Label1, &Label2}) {
        l->SetBackColor(back);
        l->SetForeColor(text);
    }
}

// The clock reads the time again for each text, as a clock label would.
void Menu::ShowClock() {
    Label8.SetCaption(rt::TimeCaption(Label8, rt::Now()));
    Label9.SetCaption(rt::DateCaption(Label9, rt::Now()));
    Label8.SetToolTipText(rt::translate("nebulor::Menu", "Prestný čas: ") + rt::TimeText());
    Label9.SetToolTipText(rt::translate("nebulor::Menu", "Dnes je: ") + rt::DateText());
}

void Menu::Timer1_Timer() { ShowClock(); }

void Menu::Timer2_Timer() {
    LightMarkers(nullptr);
    Timer2.SetEnabled(false);
}

// Shape3 to Shape8 in this order, each its border and then its fill: those of
// `lit` lit, the others normal.
void Menu::LightMarkers(const Hoverable* lit) {
    for (const Hoverable* b : {&newGameButton_, &aboutButton_, &endButton_}) {
        for (rt::Shape* marker : {&b->leftMarker, &b->rightMarker}) {
            marker->SetBorderColor(b == lit ? kLitBorder : kNormalBorder);
            marker->SetFillColor(b == lit ? kLitFill : kNormalFill);
        }
    }
}

// The captions always in the order Command1, Command3, Command4.
void Menu::Hover(const Hoverable& hovered) {
    if (hovered.button.Caption() != hovered.plain) return;  // already highlighted
    for (const Hoverable* b : {&newGameButton_, &endButton_, &aboutButton_})
        b->button.SetCaption(b == &hovered ? b->lit : b->plain);
    LightMarkers(&hovered);
    Timer2.SetEnabled(true);
}

void Menu::Command1_MouseMove() { Hover(newGameButton_); }
void Menu::Command3_MouseMove() { Hover(endButton_); }
void Menu::Command4_MouseMove() { Hover(aboutButton_); }

void Menu::Form_MouseMove(int, int, rt::Twips, rt::Twips) {
    const auto lit = [](const Hoverable& b) { return b.button.Caption() == b.lit; };
    if (lit(aboutButton_) || lit(endButton_) || lit(newGameButton_)) {
        for (const Hoverable* b : {&newGameButton_, &endButton_, &aboutButton_})
            b->button.SetCaption(b->plain);
    }
}

void Menu::Command1_Click() {
    hra_.Show();
    Unload();
}

void Menu::Command3_Click() {
    Unload();
    rt::End();
}

void Menu::Command4_Click() { about_.Show(); }

// Only a selected option sets the flags; clicking it again sets them again.
void Menu::Choose(rt::OptionButton& option, Level level) {
    if (option.Value()) modul1_.SetLevel(level);
}

void Menu::Option1_Click() { Choose(Option1, Level::Easy); }
void Menu::Option2_Click() { Choose(Option2, Level::Medium); }
void Menu::Option3_Click() { Choose(Option3, Level::Hard); }

std::string Menu::BestScoreText() const {
    return rt::translate("nebulor::Menu", "Najlepšie skóre je: ") + rt::Str(modul1_.BestScore) +
           ".";
}

std::string Menu::BestLevelText() const {
    const std::string level = modul1_.BestScoreLevel.empty()
                                  ? rt::translate("nebulor::Menu", "žiadnu")
                                  : modul1_.BestScoreLevel;
    return rt::translate("nebulor::Menu",
                         "Vyššie uvedené najlepšie skóre si nahral na obtiažnosť: ") +
           level + ".";
}

void Menu::Label1_MouseMove() { Label1.SetToolTipText(BestScoreText()); }
void Menu::Label2_MouseMove() { Label2.SetToolTipText(BestLevelText()); }

void Menu::Label1_Click() {
    rt::MsgBox(BestScoreText(), rt::vbInformation,
               rt::translate("nebulor::Menu", "Najlepšie skóre"));
}

void Menu::Label2_Click() {
    rt::MsgBox(BestLevelText(), rt::vbInformation, rt::translate("nebulor::Menu", "Na obtiažnosť"));
}

void Menu::Label5_Click() {
    rt::MsgBox(Notice() + rt::translate("nebulor::Menu", ". Všetky práva vyhradené."),
               rt::vbInformation, maker::NameOr("Nebulor"));
}

void Menu::Label6_Click() {
    rt::MsgBox(rt::translate("nebulor::Menu", "Navštív stránku ") + maker::kWeb +
                   rt::translate("nebulor::Menu", ", kde si môžeš stiahnuť ďalšie hry."),
               rt::vbInformation, maker::kWeb);
}

}  // namespace nebulor
