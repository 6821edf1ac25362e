#include "runtime/testing/catalogue.h"

#include <QCoreApplication>
#include <QTranslator>

#include "runtime/start/startup.h"

namespace rt::testing {

// Asked before the catalogues (translators installed last are asked first),
// it answers nothing itself: it notes what its own copies of them lack.
class English::Recorder : public QTranslator {
  public:
    Recorder() : catalogues_(EnglishCatalogues()) {}
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        if (context[0] == 'Q') return {};  // Qt's own, such as its layout direction
        for (const auto& catalogue : catalogues_)
            if (!catalogue->translate(context, source, disambiguation, n).isNull()) return {};
        missing.push_back(std::string(context) + ": " + source);
        return {};
    }

    mutable std::vector<std::string> missing;

  private:
    std::vector<std::unique_ptr<QTranslator>> catalogues_;
};

English::English() : recorder_(std::make_unique<Recorder>()) {
    UseLanguage(Language::English);
    QCoreApplication::installTranslator(recorder_.get());
}

English::~English() {
    QCoreApplication::removeTranslator(recorder_.get());
    UseLanguage(Language::Slovak);
}

std::vector<std::string> English::untranslated() const { return recorder_->missing; }

bool HasSlovakLetters(const std::string& text) {
    static const QString letters = QStringLiteral("áäčďéíĺľňóôŕšťúýž");
    const QString lower = QString::fromStdString(text).toLower();
    return std::any_of(letters.begin(), letters.end(),
                       [&](QChar letter) { return lower.contains(letter); });
}

}  // namespace rt::testing
