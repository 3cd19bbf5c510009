#include "vcl/graphics/Graphic.h"

#include <QBuffer>
#include <QFile>

#include "vcl/classes/Errors.h"
#include "vcl/classes/Filer.h"
#include "vcl/graphics/GraphicsConsts.h"

using namespace GraphicsConsts;

TGraphic::TGraphic() = default;
TGraphic::~TGraphic() = default;

void TGraphic::SetTransparent(bool Value) {
    if (transparent_ == Value) return;
    transparent_ = Value;
    Changed();
}

void TGraphic::SetModified(bool Value) {
    if (Value)
        Changed();
    else
        modified_ = false;
}

void TGraphic::Changed() {
    modified_ = true;
    if (OnChange) OnChange(this);
}

void TGraphic::LoadFromFile(const String& FileName) {
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly)) throw EFOpenError(Fmt(SFOpenErrorEx, FileName, file.errorString()));
    LoadFromStream(&file);
}

void TGraphic::SaveToFile(const String& FileName) {
    QFile file(FileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw EFCreateError(Fmt(SFCreateErrorEx, FileName, file.errorString()));
    SaveToStream(&file);
}

void TGraphic::DefineProperties(TFiler* Filer) {
    auto* ancestor = dynamic_cast<TGraphic*>(Filer->Ancestor());
    const bool hasData = ancestor ? ancestor->WriteData() != WriteData() : !Empty();
    Filer->DefineBinaryProperty(
        QStringLiteral("Data"), [this](const QByteArray& Data) { ReadData(Data); }, [this] { return WriteData(); },
        hasData);
}

void TGraphic::ReadData(const QByteArray& Data) {
    QBuffer buffer;
    buffer.setData(Data);
    buffer.open(QIODevice::ReadOnly);
    LoadFromStream(&buffer);
}

QByteArray TGraphic::WriteData() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SaveToStream(&buffer);
    return buffer.data();
}
