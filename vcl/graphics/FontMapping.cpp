#include "vcl/graphics/FontMapping.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHash>
#include <QMutex>
#include <QScreen>
#include <cmath>

namespace {

// Families of the platform that are not sans-serif, by their kind.
constexpr const char* SerifFamilies[] = {"MS Serif",
                                         "Times New Roman",
                                         "Times",
                                         "Georgia",
                                         "Garamond",
                                         "Book Antiqua",
                                         "Palatino Linotype",
                                         "Century Schoolbook",
                                         "Bookman Old Style",
                                         "Roman"};
constexpr const char* FixedFamilies[] = {"Courier New",    "Courier",  "Fixedsys",     "Terminal",
                                         "Lucida Console", "Consolas", "System Fixed", "OCR A Extended"};

bool Listed(const String& name, const auto& list) {
    for (const char* family : list)
        if (name.compare(QLatin1String(family), Qt::CaseInsensitive) == 0) return true;
    return false;
}

String NearestInstalled(const String& name, TFontPitch pitch) {
    QFont::StyleHint hint = QFont::SansSerif;
    QString generic = QStringLiteral("sans-serif");
    if (pitch == fpFixed || Listed(name, FixedFamilies)) {
        hint = QFont::Monospace;
        generic = QStringLiteral("monospace");
    } else if (Listed(name, SerifFamilies)) {
        hint = QFont::Serif;
        generic = QStringLiteral("serif");
    }
    QFont font(generic);
    font.setStyleHint(hint);
    return QFontInfo(font).family();
}

struct FamilyCache {
    QMutex lock;
    QHash<QString, QString> families;
};

FamilyCache& Cache() {
    static FamilyCache cache;
    return cache;
}

} // namespace

String ResolveFontFamily(const String& Name, TFontPitch Pitch) {
    // Without the application object there is no font database to ask.
    if (!QGuiApplication::instance()) return Name;
    const QString key = Name.toCaseFolded() + QChar(u'\n') + QString::number(int(Pitch));
    FamilyCache& cache = Cache();
    {
        QMutexLocker locker(&cache.lock);
        const auto found = cache.families.constFind(key);
        if (found != cache.families.cend()) return *found;
    }
    QString family;
    const QStringList installed = QFontDatabase::families();
    for (const QString& candidate : installed)
        if (candidate.compare(Name, Qt::CaseInsensitive) == 0) {
            family = candidate;
            break;
        }
    if (family.isEmpty()) family = NearestInstalled(Name, Pitch);
    QMutexLocker locker(&cache.lock);
    cache.families.insert(key, family);
    return family;
}

bool IsScalableFontFamily(const String& Family) {
    return !QGuiApplication::instance() || QFontDatabase::isSmoothlyScalable(Family);
}

int ScreenPixelsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return 96;
    const int dpi = qRound(screen->logicalDotsPerInchY());
    return dpi > 0 ? dpi : 96;
}

int MulDiv(int Value, int Numerator, int Denominator) {
    if (Denominator == 0) return -1;
    const long double exact = (long double)Value * Numerator / Denominator;
    return int(std::llround(exact));
}
