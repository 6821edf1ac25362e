#include "runtime/base/app.h"

#include <QDateTime>
#include <QLocale>
#include <QTime>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <iterator>
#include <new>
#include <vector>

#include "runtime/base/memory.h"
#include "runtime/base/texts.h"

namespace rt {

namespace {
App* current = nullptr;
}  // namespace

App::App(std::string title, Platform platform, Timing timing)
    : title_(std::move(title)),
      platform_(std::move(platform)),
      scheduler_(*platform_.clock),
      frames_(*platform_.clock, scheduler_) {
    scheduler_.setTiming(timing);
    scheduler_.afterTicks = [this] { frames_.afterTicks(); };
    if (platform_.desktop) platform_.desktop->deactivated = [this] { pause(); };
    current = this;
}

App::~App() {
    if (platform_.desktop) platform_.desktop->deactivated = {};
    scheduler_.stopAll();
    if (current == this) current = nullptr;
}

App& App::instance() {
    if (!current) throw std::logic_error("no program is running");
    return *current;
}

bool App::exists() { return current != nullptr; }

void App::Start(const std::function<void()>& showStartup) {
    started_ = true;
    dispatch(showStartup);
}

void App::End(int status) {
    if (ended_) return;
    ended_ = true;
    status_ = status;
    scheduler_.stopAll();
    // Stop at once: close the windows without running any Unload handler.
    for (LoadedForm* form : std::vector(loaded_)) form->closeAtEnd();
    if (onEnd) onEnd(status);
}

void App::dispatch(const std::function<void()>& handler, LoadedForm* form) {
    if (ended_) return;
    ++depth_;
    running_.push_back(form);
    try {
        handler();
    } catch (const std::bad_alloc&) {
        OutOfMemory();  // no message box can be had either
    } catch (const std::exception& e) {
        fail(e.what());
    } catch (...) {
        fail(translate("rt", "Unexpected error"));
    }
    running_.pop_back();
    --depth_;
    if (depth_ != 0) return;
    endIfNoForms();
    if (!ended_) frames_.afterEvent();
}

void App::fail(const std::string& message) {
    if (ended_) return;
    scheduler_.stopAll();
    frames_.flush();
    try {
        dialogs().MsgBox(message, vbCritical, title_, boxOwner());
    } catch (...) {
        std::fprintf(stderr, "%s: %s\n", title_.c_str(), message.c_str());
    }
    End(1);
}

QObject* App::boxOwner() const {
    for (auto it = running_.rbegin(); it != running_.rend(); ++it)
        if (*it) return (*it)->shownWindow();
    return nullptr;
}

void App::formLoaded(LoadedForm* form) {
    if (std::find(loaded_.begin(), loaded_.end(), form) == loaded_.end()) loaded_.push_back(form);
}

void App::formUnloaded(LoadedForm* form) {
    setPlaying(form, false);
    std::erase(loaded_, form);
    if (depth_ == 0) endIfNoForms();
}

void App::setPlaying(LoadedForm* form, bool playing) {
    if (playing) {
        if (playing_ != form) setPlaying(playing_, false);
        playing_ = form;
        return;
    }
    if (!form || playing_ != form) return;
    resume();
    playing_ = nullptr;
}

void App::pause() {
    if (!playing_ || paused_ || ended_) return;
    paused_ = true;
    scheduler_.hold();
    frames_.flush();  // the field as the pause found it
    playing_->showPaused(true);
}

void App::resume() {
    if (!paused_) return;
    paused_ = false;
    playing_->showPaused(false);
    scheduler_.resume();
}

void App::formObscured(LoadedForm* form) {
    if (form && form == playing_) pause();
}

void App::endIfNoForms() {
    if (started_ && !ended_ && loaded_.empty()) End(0);
}

void Dispatch(LoadedForm& form, const std::function<void()>& handler) {
    if (App::exists()) App::instance().dispatch(handler, &form);
}

void MsgBox(const std::string& prompt, int style, const std::string& title) {
    App& app = App::instance();
    app.frames().flush();
    app.scheduler().beforeWait();
    app.dialogs().MsgBox(prompt, style, title.empty() ? app.title() : title, app.boxOwner());
}

void Beep() { App::instance().sound().Beep(); }
void Randomize() { App::instance().random().Randomize(); }
float Rnd() { return App::instance().random().Rnd(); }
DateTime Now() { return DateTime{App::instance().clock().wallMsecs()}; }

namespace {

// A time format's fields ("h", "mm", "AP", "t") and the literal text between them.
struct Piece {
    QString text;
    bool field = false;
};

std::vector<Piece> Pieces(const QString& format) {
    static const QString letters = QStringLiteral("dMyhHmsztaA");
    std::vector<Piece> pieces;
    const auto literal = [&](const QString& text) {
        if (pieces.empty() || pieces.back().field) pieces.push_back({});
        pieces.back().text += text;
    };
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            // 'quoted text', where '' is a quote mark, as is '' outside quotes.
            qsizetype end = i + 1;
            QString text;
            for (; end < format.size(); ++end) {
                if (format[end] != QLatin1Char('\'')) {
                    text += format[end];
                } else if (end + 1 < format.size() && format[end + 1] == QLatin1Char('\'')) {
                    text += QLatin1Char('\'');
                    ++end;
                } else {
                    break;
                }
            }
            literal(end == i + 1 ? QStringLiteral("'") : text);
            i = end + 1;
        } else if (letters.contains(c)) {
            qsizetype end = i + 1;
            if ((c == QLatin1Char('a') || c == QLatin1Char('A')) && end < format.size() &&
                format[end].toLower() == QLatin1Char('p'))
                ++end;
            else
                while (end < format.size() && format[end] == c) ++end;
            pieces.push_back({format.mid(i, end - i), true});
            i = end;
        } else {
            literal(c);
            ++i;
        }
    }
    return pieces;
}

// What only separates or encloses a field: blanks, brackets, commas, marks
// of writing direction.
bool Separator(QChar c) {
    return c.isSpace() || c.isPunct() || c.category() == QChar::Other_Format;
}

// The format without its time zone field and the brackets, comma or blank
// that set the zone apart.
QString WithoutZone(const QString& format) {
    std::vector<Piece> pieces = Pieces(format);
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (!pieces[i].field || pieces[i].text[0] != QLatin1Char('t')) continue;
        const bool fieldBefore = i >= 2 || (i == 1 && pieces[0].field);
        const bool fieldAfter =
            i + 2 < pieces.size() || (i + 1 < pieces.size() && pieces[i + 1].field);
        QString* before = i > 0 && !pieces[i - 1].field ? &pieces[i - 1].text : nullptr;
        QString* after =
            i + 1 < pieces.size() && !pieces[i + 1].field ? &pieces[i + 1].text : nullptr;
        if (before)
            while (!before->isEmpty() && Separator(before->back())) before->chop(1);
        if (after)
            while (!after->isEmpty() && Separator(after->front())) after->remove(0, 1);
        pieces[i] = {};
        // Between two fields, one blank keeps them apart.
        if (fieldBefore && fieldAfter && (!before || before->isEmpty()) &&
            (!after || after->isEmpty()))
            pieces[i].text = QStringLiteral(" ");
    }
    QString out;
    for (const Piece& piece : pieces) {
        if (piece.field) {
            out += piece.text;
        } else if (!piece.text.isEmpty()) {
            QString text = piece.text;
            out += QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("''")) +
                   QLatin1Char('\'');
        }
    }
    return out;
}

QString Formatted(DateTime when, const QString& format) {
    const QTime time = QDateTime::fromMSecsSinceEpoch(when.msecs).time();
    return QLocale().toString(time, format).trimmed();
}

QString LatinDigits(QString text) {
    for (QChar& c : text)
        if (c.isDigit() && c.unicode() > 0x7F)
            c = QLatin1Char(static_cast<char>('0' + c.digitValue()));
    return text;
}

}  // namespace

std::string TimeText(DateTime when) { return TimeText(when, 0); }

std::string TimeText(DateTime when, int form) {
    const QLocale locale;
    const QString formats[] = {WithoutZone(locale.timeFormat(QLocale::LongFormat)),
                               WithoutZone(locale.timeFormat(QLocale::ShortFormat)),
                               QStringLiteral("H:mm:ss"), QStringLiteral("H:mm")};
    const int kinds = static_cast<int>(std::size(formats));
    form = std::clamp(form, 0, kTimeForms - 1);
    // The last two are the 24-hour forms again.
    const QString text = Formatted(when, formats[form < kinds ? form : form - 2]);
    return (form >= kinds ? LatinDigits(text) : text).toStdString();
}

std::string DateText(DateTime when) { return DateText(when, 0); }

std::string DateText(DateTime when, int form) {
    const QDate date = QDateTime::fromMSecsSinceEpoch(when.msecs).date();
    const QString text = QLocale().toString(date, QLocale::ShortFormat);
    return (form > 0 ? LatinDigits(text) : text).toStdString();
}

std::vector<DateTime> WidestMoments(DateTime when) {
    const std::int64_t midnight =
        QDateTime(QDateTime::fromMSecsSinceEpoch(when.msecs).date(), QTime(0, 0))
            .toMSecsSinceEpoch();
    std::vector<DateTime> moments{when};
    for (int hour : {0, 10, 11, 12, 20, 22, 23})
        moments.push_back(DateTime{midnight + ((hour * 60 + 58) * 60 + 58) * 1000LL});
    return moments;
}

void End() { App::instance().End(0); }

}  // namespace rt
