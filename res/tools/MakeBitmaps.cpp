// Draws the program's bitmap resources: the animated logo strips, the edit-button and navigator
// glyphs, the TrueType mark, the demo's image strip and one button picture per component class.
// Run it with the folder of the library's bitmaps and the folder of the demo's bitmaps; the files
// are kept in the tree, so it only needs to run again when a picture changes.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

const QColor Fuchsia(255, 0, 255);

// The sixteen colours of the platform's standard palette: the pictures use no others.
const QColor Palette16[16] = {
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},   {0, 0, 128},   {128, 0, 128},
    {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};

// Maps every pixel to the nearest palette colour and stores a 4-bit-worthy indexed image.
QImage To16Colours(const QImage& image) {
    QImage out(image.size(), QImage::Format_Indexed8);
    QList<QRgb> table;
    for (const QColor& c : Palette16)
        table << c.rgb();
    out.setColorTable(table);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            int best = 0, bestDistance = 1 << 30;
            for (int i = 0; i < 16; ++i) {
                const int dr = c.red() - Palette16[i].red(), dg = c.green() - Palette16[i].green(),
                          db = c.blue() - Palette16[i].blue();
                const int d = dr * dr + dg * dg + db * db;
                if (d < bestDistance) bestDistance = d, best = i;
            }
            out.setPixel(x, y, uint(best));
        }
    return out;
}

QImage Canvas(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Fuchsia);
    return image;
}

bool Save(const QImage& image, const QString& folder, const QString& name) {
    const QString path = folder + "/" + name.toLower() + ".bmp";
    if (!To16Colours(image).save(path, "BMP")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// One logo frame: a ring of eight dots around an "M", the bright dot turning with the frame.
void DrawLogoFrame(QPainter& p, const QRectF& cell, int frame) {
    const double s = cell.width() / 32.0;
    const QPointF centre = cell.center();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 8; ++i) {
        const double angle = (i * 45.0 + frame * 36.0) * M_PI / 180.0;
        const QPointF at = centre + QPointF(std::cos(angle), std::sin(angle)) * 12.0 * s;
        p.setBrush(i == 0 ? QColor(255, 255, 0) : (i % 2 ? QColor(0, 0, 128) : QColor(0, 128, 128)));
        p.drawEllipse(at, 2.4 * s, 2.4 * s);
    }
    QPainterPath m;
    m.moveTo(centre + QPointF(-6, 6) * s);
    m.lineTo(centre + QPointF(-6, -6) * s);
    m.lineTo(centre + QPointF(0, 1) * s);
    m.lineTo(centre + QPointF(6, -6) * s);
    m.lineTo(centre + QPointF(6, 6) * s);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(128, 0, 0), 2.2 * s, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(m);
}

QImage LogoStrip(int size) {
    QImage image = Canvas(size * 10, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int frame = 0; frame < 10; ++frame)
        DrawLogoFrame(p, QRectF(frame * size, 0, size, size), frame);
    return image;
}

// Two glyphs side by side, the second the disabled look of the first (grey with a white emboss).
QImage GlyphPair(int w, int h, const std::function<void(QPainter&, const QRectF&)>& draw) {
    QImage image = Canvas(w * 2, h);
    QImage single = Canvas(w, h);
    {
        QPainter p(&single);
        draw(p, QRectF(0, 0, w, h));
    }
    QPainter p(&image);
    p.drawImage(0, 0, single);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (single.pixelColor(x, y) != Fuchsia) {
                if (x + 1 < w && y + 1 < h) image.setPixelColor(w + x + 1, y + 1, Qt::white);
            }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (single.pixelColor(x, y) != Fuchsia) image.setPixelColor(w + x, y, QColor(128, 128, 128));
    return image;
}

using Drawing = std::function<void(QPainter&, const QRectF&)>;

void Poly(QPainter& p, const QRectF& r, std::initializer_list<QPointF> unitPoints, const QColor& c) {
    QPolygonF poly;
    for (const QPointF& u : unitPoints)
        poly << QPointF(r.left() + u.x() * r.width(), r.top() + u.y() * r.height());
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(poly);
}

// The edit-button glyphs: 10 x 10 each.
struct NamedDrawing {
    const char* name;
    Drawing draw;
};

const QColor Ink(0, 0, 0);

QList<NamedDrawing> EditGlyphs() {
    return {
        {"DropDown", [](QPainter& p, const QRectF& r) { Poly(p, r, {{0.15, 0.35}, {0.85, 0.35}, {0.5, 0.75}}, Ink); }},
        {"Lookup",
         [](QPainter& p, const QRectF&) {
             for (int x : {1, 4, 7})
                 p.fillRect(x, 6, 2, 2, Ink);
         }},
        {"Find",
         [](QPainter& p, const QRectF&) {
             p.setPen(QPen(Ink, 1));
             p.drawEllipse(1, 1, 5, 5);
             p.drawLine(6, 6, 9, 9);
         }},
        {"Folder",
         [](QPainter& p, const QRectF&) {
             p.fillRect(0, 3, 10, 6, QColor(128, 128, 0));
             p.fillRect(0, 2, 4, 1, QColor(128, 128, 0));
             p.fillRect(1, 4, 8, 4, QColor(255, 255, 0));
         }},
        {"Computer",
         [](QPainter& p, const QRectF&) {
             p.fillRect(1, 0, 8, 6, Ink);
             p.fillRect(2, 1, 6, 4, QColor(0, 128, 128));
             p.fillRect(3, 7, 4, 1, Ink);
             p.fillRect(1, 8, 8, 2, QColor(128, 128, 128));
         }},
        {"Calendar",
         [](QPainter& p, const QRectF&) {
             p.fillRect(0, 1, 10, 9, Ink);
             p.fillRect(1, 3, 8, 6, Qt::white);
             p.fillRect(0, 1, 10, 2, QColor(128, 0, 0));
             p.fillRect(3, 5, 2, 2, Ink);
         }},
        {"Clock",
         [](QPainter& p, const QRectF&) {
             p.setPen(QPen(Ink, 1));
             p.setBrush(Qt::white);
             p.drawEllipse(0, 0, 9, 9);
             p.drawLine(4, 4, 4, 1);
             p.drawLine(4, 4, 7, 4);
         }},
        {"Accept",
         [](QPainter& p, const QRectF&) {
             p.setPen(QPen(QColor(0, 128, 0), 2));
             p.drawLine(1, 5, 4, 8);
             p.drawLine(4, 8, 9, 1);
         }},
        {"Reject",
         [](QPainter& p, const QRectF&) {
             p.setPen(QPen(QColor(128, 0, 0), 2));
             p.drawLine(2, 2, 8, 8);
             p.drawLine(8, 2, 2, 8);
         }},
        {"Calculator",
         [](QPainter& p, const QRectF&) {
             p.fillRect(1, 0, 8, 10, Ink);
             p.fillRect(2, 1, 6, 2, QColor(0, 128, 128));
             for (int y : {4, 7})
                 for (int x : {2, 5})
                     p.fillRect(x, y, 2, 2, Qt::white);
         }},
    };
}

// The navigator glyphs: 18 x 18 each.
QList<NamedDrawing> NavigatorGlyphs() {
    const QColor arrow(0, 0, 0), edit(0, 0, 128), ok(0, 128, 0), bad(128, 0, 0);
    auto left = [=](double x) {
        return [=](QPainter& p, const QRectF& r) { Poly(p, r, {{x + 0.3, 0.25}, {x + 0.3, 0.75}, {x, 0.5}}, arrow); };
    };
    auto right = [=](double x) {
        return [=](QPainter& p, const QRectF& r) { Poly(p, r, {{x, 0.25}, {x, 0.75}, {x + 0.3, 0.5}}, arrow); };
    };
    auto bar = [=](double x) { return [=](QPainter& p, const QRectF& r) { p.fillRect(QRectF(r.width() * x, 4, 2, 10), arrow); }; };
    auto both = [](Drawing a, Drawing b) {
        return [=](QPainter& p, const QRectF& r) {
            a(p, r);
            b(p, r);
        };
    };
    auto dialog = [](const QColor& mark) {
        return [=](QPainter& p, const QRectF&) {
            p.fillRect(2, 3, 14, 12, QColor(0, 0, 0));
            p.fillRect(3, 6, 12, 8, Qt::white);
            p.fillRect(2, 3, 14, 2, QColor(0, 0, 128));
            p.fillRect(6, 8, 6, 3, mark);
        };
    };
    return {
        {"First", both(bar(0.25), left(0.4))},
        {"PriorPage", both(left(0.2), left(0.5))},
        {"Prior", left(0.35)},
        {"Next", right(0.35)},
        {"NextPage", both(right(0.2), right(0.5))},
        {"Last", both(right(0.3), bar(0.65))},
        {"Insert", [=](QPainter& p, const QRectF&) { p.fillRect(8, 3, 2, 12, edit), p.fillRect(3, 8, 12, 2, edit); }},
        {"Edit",
         [=](QPainter& p, const QRectF& r) { Poly(p, r, {{0.2, 0.8}, {0.3, 0.6}, {0.7, 0.2}, {0.8, 0.3}, {0.4, 0.7}}, edit); }},
        {"Delete", [=](QPainter& p, const QRectF&) { p.fillRect(3, 8, 12, 2, edit); }},
        {"Post",
         [=](QPainter& p, const QRectF&) {
             p.setPen(QPen(ok, 2));
             p.drawLine(3, 9, 7, 13);
             p.drawLine(7, 13, 15, 4);
         }},
        {"Cancel",
         [=](QPainter& p, const QRectF&) {
             p.setPen(QPen(bad, 2));
             p.drawLine(4, 4, 14, 14);
             p.drawLine(14, 4, 4, 14);
         }},
        {"Refresh",
         [=](QPainter& p, const QRectF& r) {
             p.setPen(QPen(ok, 2));
             p.drawArc(QRectF(4, 4, 10, 10), 30 * 16, 300 * 16);
             Poly(p, r, {{0.65, 0.1}, {0.9, 0.3}, {0.6, 0.4}}, ok);
         }},
        {"SetBookmark", [=](QPainter& p, const QRectF& r) { Poly(p, r, {{0.3, 0.1}, {0.7, 0.1}, {0.7, 0.9}, {0.5, 0.7}, {0.3, 0.9}}, bad); }},
        {"GotoBookmark",
         [=](QPainter& p, const QRectF& r) {
             Poly(p, r, {{0.15, 0.1}, {0.45, 0.1}, {0.45, 0.9}, {0.3, 0.7}, {0.15, 0.9}}, bad);
             Poly(p, r, {{0.55, 0.3}, {0.55, 0.7}, {0.85, 0.5}}, arrow);
         }},
        {"FilterDialog", dialog(QColor(0, 128, 128))},
        {"LocateDialog", dialog(QColor(0, 128, 0))},
        {"SearchDialog", dialog(QColor(128, 128, 0))},
        {"RecordDialog", dialog(QColor(128, 0, 128))},
    };
}

// A component's button picture: a tile coloured after its name with the name's capitals.
QImage ComponentPicture(const QString& className) {
    QImage image = Canvas(24, 24);
    QPainter p(&image);
    const QString name = className.mid(4);
    const uint hash = qHash(name) % 6;
    const QColor tiles[6] = {{0, 0, 128}, {0, 128, 0}, {128, 0, 0}, {0, 128, 128}, {128, 0, 128}, {128, 128, 0}};
    p.fillRect(1, 1, 22, 22, QColor(128, 128, 128));
    p.fillRect(0, 0, 22, 22, tiles[hash]);
    QString letters;
    for (QChar c : name)
        if (c.isUpper() && letters.size() < 3) letters += c;
    if (letters.isEmpty()) letters = name.left(2);
    QFont font("DejaVu Sans");
    font.setPixelSize(letters.size() > 2 ? 8 : 10);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 22, 22), Qt::AlignCenter, letters);
    return image;
}

// The components the demo presents, each with a button picture.
const char* const ComponentClasses[] = {
    "TmoxAboutPanel", "TmoxAnimator", "TmoxAppIniFile", "TmoxBackground", "TmoxBrowseFolderDialog", "TmoxButton",
    "TmoxCalculator", "TmoxCalculatorEdit", "TmoxCalendarButton", "TmoxCheckBox", "TmoxClock", "TmoxColorComboBox",
    "TmoxComboBox", "TmoxCriteriaFilter", "TmoxDBCalculatorEdit", "TmoxDBDateTimeEdit", "TmoxDBEdit",
    "TmoxDBFilterDialog", "TmoxDBLocateDialog", "TmoxDBLookupComboBox", "TmoxDBNavigator", "TmoxDBRecordViewDialog",
    "TmoxDBSearchDialog", "TmoxDateRangeFrame", "TmoxDateTimeEdit", "TmoxDateTimeValueFrame", "TmoxDialogButtons",
    "TmoxDirectoryListBox", "TmoxDirectoryTreeView", "TmoxDriveComboBox", "TmoxEdit", "TmoxEditRangeFrame",
    "TmoxEditValueFrame", "TmoxFileListBox", "TmoxFileNameEdit", "TmoxFilterComboBox", "TmoxFolderEdit",
    "TmoxFolderMonitor", "TmoxFontComboBox", "TmoxLabel", "TmoxLaunchLabel", "TmoxLauncher", "TmoxListBox",
    "TmoxMoneyString", "TmoxMonthCalendar", "TmoxMultiLanguage", "TmoxPictureMask", "TmoxPopupCalculator",
    "TmoxPopupCalendar", "TmoxPropStorage", "TmoxRadioButton", "TmoxRepeatButton", "TmoxSimplePanel",
    "TmoxSpinButtons", "TmoxSpinEdit", "TmoxSplitter", "TmoxTable", "TmoxThreadTimer", "TmoxTrayIcon",
};

// The demo's small image strip: ten 16 x 16 pictures.
QImage ImageStrip() {
    QImage image = Canvas(160, 16);
    QPainter p(&image);
    for (int i = 0; i < 10; ++i) {
        const QRectF cell(i * 16, 0, 16, 16);
        p.setPen(QPen(Palette16[(i % 6) + 1], 1));
        p.setBrush(Palette16[(i % 6) + 9]);
        switch (i % 3) {
        case 0: p.drawEllipse(cell.adjusted(2, 2, -3, -3)); break;
        case 1: p.drawRect(cell.adjusted(2, 2, -3, -3)); break;
        default: Poly(p, cell, {{0.5, 0.1}, {0.9, 0.85}, {0.1, 0.85}}, Palette16[(i % 6) + 9]); break;
        }
        p.setPen(Qt::black);
        QFont font("DejaVu Sans");
        font.setPixelSize(8);
        font.setStyleStrategy(QFont::NoAntialias);
        p.setFont(font);
        p.drawText(cell.toRect(), Qt::AlignCenter, QString::number(i));
    }
    return image;
}

QImage TrueTypeMark() {
    QImage image = Canvas(16, 16);
    QPainter p(&image);
    QFont font("DejaVu Serif");
    font.setPixelSize(11);
    font.setBold(true);
    font.setStyleStrategy(QFont::NoAntialias);
    p.setFont(font);
    p.setPen(QColor(128, 128, 128));
    p.drawText(QRect(1, 1, 10, 12), Qt::AlignCenter, "T");
    p.setPen(Qt::black);
    p.drawText(QRect(5, 3, 10, 12), Qt::AlignCenter, "T");
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <library bitmaps folder> <demo bitmaps folder>\n", argv[0]);
        return 2;
    }
    const QString libFolder = QString::fromLocal8Bit(argv[1]), demoFolder = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(libFolder);
    QDir().mkpath(demoFolder);
    bool ok = true;
    for (const NamedDrawing& g : EditGlyphs())
        ok &= Save(GlyphPair(10, 10, g.draw), libFolder, QString("BTN_") + g.name);
    for (const NamedDrawing& g : NavigatorGlyphs())
        ok &= Save(GlyphPair(18, 18, g.draw), libFolder, QString("BTN_DBN_") + g.name);
    ok &= Save(TrueTypeMark(), libFolder, "BMP_TRUETYPE");
    ok &= Save(LogoStrip(32), demoFolder, "IDB_LOGO");
    ok &= Save(LogoStrip(16), demoFolder, "IDB_LOGO16");
    ok &= Save(ImageStrip(), demoFolder, "IDB_IMAGES");
    for (const char* name : ComponentClasses)
        ok &= Save(ComponentPicture(name), demoFolder, name);
    return ok ? 0 : 1;
}
