#include "runtime/base/time_text.h"

#include <QDateTime>
#include <QLocale>
#include <QTime>
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

namespace rt {

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

}  // namespace rt
