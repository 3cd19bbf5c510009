#include "vcl/graphics/Picture.h"

#include <QFileInfo>

#include "vcl/classes/Errors.h"
#include "vcl/classes/Filer.h"
#include "vcl/graphics/GraphicsConsts.h"

using namespace GraphicsConsts;

namespace {

// A new, empty graphic of the named class; none for a class the pictures do not know.
std::unique_ptr<TGraphic> NewGraphic(const String& className) {
    if (className == QLatin1String("TBitmap")) return std::make_unique<TBitmap>();
    if (className == QLatin1String("TIcon")) return std::make_unique<TIcon>();
    return nullptr;
}

std::unique_ptr<TGraphic> CopyOf(TGraphic* graphic) {
    if (!graphic) return nullptr;
    std::unique_ptr<TGraphic> copy = NewGraphic(graphic->ClassName());
    if (!copy) throw EInvalidGraphic(Fmt(SInvalidGraphicClass, graphic->ClassName()));
    copy->Assign(graphic);
    return copy;
}

} // namespace

TPicture::TPicture() = default;

TPicture::~TPicture() {
    if (graphic_) graphic_->OnChange = nullptr;
}

void TPicture::Take(std::unique_ptr<TGraphic> graphic) {
    graphic_ = std::move(graphic);
    if (graphic_) graphic_->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::Changed() {
    if (OnChange) OnChange(this);
}

void TPicture::Assign(TPersistent* Source) {
    if (!Source) {
        Take(nullptr);
        return;
    }
    if (auto* picture = dynamic_cast<TPicture*>(Source)) {
        if (picture != this) Take(CopyOf(picture->Graphic()));
        return;
    }
    if (auto* graphic = dynamic_cast<TGraphic*>(Source)) {
        SetGraphic(graphic);
        return;
    }
    TPersistent::Assign(Source);
}

void TPicture::SetGraphic(TGraphic* Value) {
    if (Value && Value == graphic_.get()) return;
    Take(CopyOf(Value));
}

TBitmap* TPicture::Bitmap() {
    if (!dynamic_cast<TBitmap*>(graphic_.get())) Take(std::make_unique<TBitmap>());
    return static_cast<TBitmap*>(graphic_.get());
}

TIcon* TPicture::Icon() {
    if (!dynamic_cast<TIcon*>(graphic_.get())) Take(std::make_unique<TIcon>());
    return static_cast<TIcon*>(graphic_.get());
}

void TPicture::LoadFromFile(const String& FileName) {
    const String suffix = QFileInfo(FileName).suffix().toLower();
    std::unique_ptr<TGraphic> graphic;
    if (suffix == QLatin1String("ico"))
        graphic = std::make_unique<TIcon>();
    else if (suffix == QLatin1String("bmp") || suffix == QLatin1String("png") ||
             suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg") ||
             suffix == QLatin1String("gif"))
        graphic = std::make_unique<TBitmap>();
    else
        throw EInvalidGraphic(Fmt(SUnknownExtension, suffix));
    graphic->LoadFromFile(FileName);
    Take(std::move(graphic));
}

void TPicture::SaveToFile(const String& FileName) {
    if (graphic_) graphic_->SaveToFile(FileName);
}

void TPicture::ReadData(const QByteArray& Data) {
    if (Data.isEmpty()) throw EReadError(QString::fromLatin1(SReadError));
    const int length = static_cast<unsigned char>(Data[0]);
    if (Data.size() < 1 + length) throw EReadError(QString::fromLatin1(SReadError));
    const String className = QString::fromLatin1(Data.mid(1, length));
    std::unique_ptr<TGraphic> graphic = NewGraphic(className);
    if (!graphic) throw EInvalidGraphic(Fmt(SInvalidGraphicClass, className));
    graphic->ReadData(Data.mid(1 + length));
    Take(std::move(graphic));
}

void TPicture::DefineProperties(TFiler* Filer) {
    auto* ancestor = dynamic_cast<TPicture*>(Filer->Ancestor());
    const bool hasData = ancestor ? ancestor->WriteData() != WriteData() : graphic_ && !graphic_->Empty();
    Filer->DefineBinaryProperty(
        QStringLiteral("Data"), [this](const QByteArray& Data) { ReadData(Data); }, [this] { return WriteData(); },
        hasData);
}

QByteArray TPicture::WriteData() const {
    if (!graphic_) return QByteArray();
    const QByteArray name = graphic_->ClassName().toLatin1();
    return char(name.size()) + name + graphic_->WriteData();
}
