#include "menu.h"

#include "app.h"
#include "maker.h"

namespace nebulor {

const char* const Menu::kRules =
    "Zlý, nechutný, odporný, smradľavý a nebezpečný mimozešťania sa opäť vrátili na Zem, ale "
    "teraz v oveľa väčšom množstve. Tvojou úlohou je zabiť 60 mimozemšťanov skôr kým jeden z nich "
    "pristane na Zemi, ale pozor čím viacej krát zabiješ mimozemšťana, tak tým padá rýchlejšie, "
    "keď ich už zabiješ 60, tak sa ozve tón a budeš môcť zničiť ufá a keď už zničíš ufá, tak si "
    "zachránil Zem od ďalšej invázie mimozemšťanov, teda vyhral si.";

std::string Menu::WebAddress() { return maker::kWeb; }

std::string Menu::Notice() {
    return std::string("© ") + maker::kYear + " " + maker::NameOr("Nebulor");
}

namespace {
constexpr const char* kPlain1 = "Nová hra";
constexpr const char* kPlain3 = "Koniec";
constexpr const char* kPlain4 = "About";
constexpr const char* kLit1 = "- Nová hra -";
constexpr const char* kLit3 = "- Koniec -";
constexpr const char* kLit4 = "- About -";
}  // namespace

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
      about_(about) {
    Timer2.Tick = [this] { Timer2_Timer(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    Command1.Click = [this] { Command1_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };
    Command1.MouseMove = [this](int, int, rt::Twips, rt::Twips) { Hover(Command1); };
    Command3.MouseMove = [this](int, int, rt::Twips, rt::Twips) { Hover(Command3); };
    Command4.MouseMove = [this](int, int, rt::Twips, rt::Twips) { Hover(Command4); };
    Option1.Click = [this] { Option1_Click(); };
    Option2.Click = [this] { Option2_Click(); };
    Option3.Click = [this] { Option3_Click(); };
    Label1.Click = [this] { Label1_Click(); };
    Label2.Click = [this] { Label2_Click(); };
    Label5.Click = [this] { Label5_Click(); };
    Label6.Click = [this] { Label6_Click(); };
    Label1.MouseMove = [this](int, int, rt::Twips, rt::Twips) {
        Label1.SetToolTipText(BestScoreText());
    };
    Label2.MouseMove = [this](int, int, rt::Twips, rt::Twips) {
        Label2.SetToolTipText(BestLevelText());
    };
}

void Menu::Form_Load() {
    Label1.SetCaption("Najlepšie skóre: " + rt::Str(modul1_.BestScore));
    if (!modul1_.BestScoreLevel.empty())
        Label2.SetCaption("Na obtiažnosť: " + modul1_.BestScoreLevel);
    ShowClock();
    if (modul1_.BestScoreSet == kTrue) {
        for (rt::Label* l : {&Label1, &Label2}) {
            l->SetBackColor(kBestBack);
            l->SetForeColor(kBestText);
        }
    } else if (modul1_.BestScoreSet == kFalse) {
        for (rt::Label* l : {&Label1, &Label2}) {
            l->SetBackColor(kScoreBack);
            l->SetForeColor(kScoreText);
        }
    }
    modul1_.EasyLevel = kFalse;
    modul1_.MediumLevel = kTrue;
    modul1_.HardLevel = kFalse;
    modul1_.BestScoreSet = kFalse;
}

// The clock reads the time again for each text, as a clock label would.
void Menu::ShowClock() {
    Label8.SetCaption(rt::TimeText());
    Label9.SetCaption(rt::DateText());
    Label8.SetToolTipText("Prestný čas: " + rt::TimeText());
    Label9.SetToolTipText("Dnes je: " + rt::DateText());
}

void Menu::Timer1_Timer() { ShowClock(); }

void Menu::Timer2_Timer() {
    for (rt::Shape* s : {&Shape3, &Shape4, &Shape5, &Shape6, &Shape7, &Shape8}) {
        s->SetBorderColor(kNormalBorder);
        s->SetFillColor(kNormalFill);
    }
    Timer2.SetEnabled(false);
}

void Menu::Hover(rt::CommandButton& hovered) {
    const char* plain = &hovered == &Command1 ? kPlain1 : &hovered == &Command3 ? kPlain3 : kPlain4;
    if (hovered.Caption() != plain) return;  // already highlighted
    Command1.SetCaption(&hovered == &Command1 ? kLit1 : kPlain1);
    Command3.SetCaption(&hovered == &Command3 ? kLit3 : kPlain3);
    Command4.SetCaption(&hovered == &Command4 ? kLit4 : kPlain4);
    const struct {
        rt::Shape* shape;
        rt::CommandButton* button;
    } markers[] = {{&Shape3, &Command1}, {&Shape4, &Command1}, {&Shape5, &Command4},
                   {&Shape6, &Command4}, {&Shape7, &Command3}, {&Shape8, &Command3}};
    for (const auto& m : markers) {
        const bool lit = m.button == &hovered;
        m.shape->SetBorderColor(lit ? kLitBorder : kNormalBorder);
        m.shape->SetFillColor(lit ? kLitFill : kNormalFill);
    }
    Timer2.SetEnabled(true);
}

void Menu::Form_MouseMove(int, int, rt::Twips, rt::Twips) {
    if (Command4.Caption() == kLit4 || Command3.Caption() == kLit3 || Command1.Caption() == kLit1) {
        Command1.SetCaption(kPlain1);
        Command3.SetCaption(kPlain3);
        Command4.SetCaption(kPlain4);
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

void Menu::Option1_Click() {
    if (!Option1.Value()) return;
    modul1_.EasyLevel = kTrue;
    modul1_.MediumLevel = kFalse;
    modul1_.HardLevel = kFalse;
}

void Menu::Option2_Click() {
    if (!Option2.Value()) return;
    modul1_.EasyLevel = kFalse;
    modul1_.MediumLevel = kTrue;
    modul1_.HardLevel = kFalse;
}

void Menu::Option3_Click() {
    if (!Option3.Value()) return;
    modul1_.EasyLevel = kFalse;
    modul1_.MediumLevel = kFalse;
    modul1_.HardLevel = kTrue;
}

std::string Menu::BestScoreText() const {
    return "Najlepšie skóre je: " + rt::Str(modul1_.BestScore) + ".";
}

std::string Menu::BestLevelText() const {
    const std::string level = modul1_.BestScoreLevel.empty() ? "žiadnu" : modul1_.BestScoreLevel;
    return "Vyššie uvedené najlepšie skóre si nahral na obtiažnosť: " + level + ".";
}

void Menu::Label1_Click() { rt::MsgBox(BestScoreText(), rt::vbInformation, "Najlepšie skóre"); }

void Menu::Label2_Click() { rt::MsgBox(BestLevelText(), rt::vbInformation, "Na obtiažnosť"); }

void Menu::Label5_Click() {
    rt::MsgBox(Notice() + ". Všetky práva vyhradené.", rt::vbInformation, maker::NameOr("Nebulor"));
}

void Menu::Label6_Click() {
    rt::MsgBox(std::string("Navštív stránku ") + maker::kWeb +
                   ", kde si môžeš stiahnuť ďalšie hry.",
               rt::vbInformation, maker::kWeb);
}

}  // namespace nebulor
