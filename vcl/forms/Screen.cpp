#include "vcl/forms/Screen.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

#include "vcl/classes/Errors.h"

TScreen* Screen = nullptr;

namespace {
QList<QScreen*> Screens() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ? QGuiApplication::screens() : QList<QScreen*>(); }

TMonitor MonitorOf(QScreen* S, int Index) {
    return TMonitor(Index, ToRect(S->geometry()), ToRect(S->availableGeometry()), S == QGuiApplication::primaryScreen(),
                    int(std::lround(S->logicalDotsPerInch())));
}

[[noreturn]] void RaiseIndex(int Index) { throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index)); }
} // namespace

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

TScreen::~TScreen() {
    if (overriding_ && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) QGuiApplication::restoreOverrideCursor();
    if (Screen == this) Screen = nullptr;
}

TCustomForm* TScreen::Forms(int Index) const {
    if (Index < 0 || Index >= forms_.size()) RaiseIndex(Index);
    return forms_[Index];
}

void TScreen::AddForm(TCustomForm* Form) {
    if (Form && !forms_.contains(Form)) forms_.append(Form);
}

void TScreen::RemoveForm(TCustomForm* Form) {
    forms_.removeAll(Form);
    if (activeForm_ == Form) SetActiveForm(nullptr);
}

TDataModule* TScreen::DataModules(int Index) const {
    if (Index < 0 || Index >= dataModules_.size()) RaiseIndex(Index);
    return dataModules_[Index];
}

void TScreen::AddDataModule(TDataModule* DataModule) {
    if (DataModule && !dataModules_.contains(DataModule)) dataModules_.append(DataModule);
}

void TScreen::RemoveDataModule(TDataModule* DataModule) { dataModules_.removeAll(DataModule); }

void TScreen::SetActiveForm(TCustomForm* Form) {
    if (Form == activeForm_) return;
    activeForm_ = Form;
    if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetActiveControl(TWinControl* Control) {
    if (Control == activeControl_) return;
    activeControl_ = Control;
    if (OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::SetCursor(TCursor Value) {
    if (Value == cursor_) return;
    cursor_ = Value;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    // One entry of Qt's override stack is the screen's; it changes in place and goes at crDefault.
    if (Value == crDefault) {
        if (overriding_) QGuiApplication::restoreOverrideCursor();
        overriding_ = false;
    } else if (overriding_) {
        QGuiApplication::changeOverrideCursor(QCursor(CursorShape(Value)));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(CursorShape(Value)));
        overriding_ = true;
    }
}

int TScreen::Width() const { return MonitorCount() ? Monitors(0).Width() : 0; }

int TScreen::Height() const { return MonitorCount() ? Monitors(0).Height() : 0; }

TRect TScreen::DesktopRect() const {
    QRect all;
    for (QScreen* s : Screens()) all |= s->geometry();
    return ToRect(all);
}

TRect TScreen::WorkAreaRect() const { return MonitorCount() ? Monitors(0).WorkareaRect() : TRect(); }

int TScreen::MonitorCount() const { return int(Screens().size()); }

TMonitor TScreen::Monitors(int Index) const {
    QList<QScreen*> screens = Screens();
    // The primary monitor comes first, as the platform numbers them.
    if (QScreen* primary = QGuiApplication::primaryScreen(); primary && screens.removeOne(primary))
        screens.prepend(primary);
    if (Index < 0 || Index >= screens.size()) RaiseIndex(Index);
    return MonitorOf(screens[Index], Index);
}

TMonitor TScreen::MonitorFromPoint(const TPoint& Point) const {
    const QPoint p(Point.X, Point.Y);
    int best = -1;
    qint64 bestDistance = 0;
    for (int i = 0; i < MonitorCount(); ++i) {
        const QRect r = ToQRect(Monitors(i).BoundsRect());
        if (r.contains(p)) return Monitors(i);
        const qint64 dx = p.x() < r.left() ? r.left() - p.x() : qMax(0, p.x() - r.right());
        const qint64 dy = p.y() < r.top() ? r.top() - p.y() : qMax(0, p.y() - r.bottom());
        if (best < 0 || dx * dx + dy * dy < bestDistance) {
            best = i;
            bestDistance = dx * dx + dy * dy;
        }
    }
    return best < 0 ? TMonitor() : Monitors(best);
}

int TScreen::PixelsPerInch() const { return MonitorCount() ? Monitors(0).PixelsPerInch() : 96; }

TStrings* TScreen::Fonts() {
    if (!fonts_) {
        fonts_ = std::make_unique<TStringList>();
        QStringList families = QFontDatabase::families();
        families.sort(Qt::CaseInsensitive);
        for (const QString& family : families) fonts_->Add(family);
    }
    return fonts_.get();
}
