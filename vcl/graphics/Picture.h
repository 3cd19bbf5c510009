#pragma once
// TPicture: holds one graphic of any kind (a bitmap, an icon), as image properties of controls do.
#include <memory>

#include "vcl/classes/Events.h"
#include "vcl/classes/Persistent.h"
#include "vcl/graphics/Bitmap.h"
#include "vcl/graphics/Graphic.h"
#include "vcl/graphics/Icon.h"

class TPicture : public TPersistent {
    Q_OBJECT
public:
    TPicture();
    ~TPicture() override;

    // From another picture or a graphic: a copy of its graphic; from null: no graphic.
    void Assign(TPersistent* Source) override;

    // The graphic, owned by the picture; setting one keeps a copy of it.
    TGraphic* Graphic() const { return graphic_.get(); }
    void SetGraphic(TGraphic* Value);
    // The graphic as a bitmap or an icon; a picture that holds another kind (or none) gets a new,
    // empty one of the kind asked for.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* Value) { SetGraphic(Value); }
    TIcon* Icon();
    void SetIcon(TIcon* Value) { SetGraphic(Value); }
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // The kind of graphic follows the file's extension: .bmp, .png, .jpg, .jpeg, .gif make a
    // bitmap, .ico an icon; any other raises EInvalidGraphic "Unknown picture file extension (.%s)".
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName);
    // The picture inside a form resource: the graphic's class name as a byte-counted text, then the
    // graphic's own data. Data without a graphic is no picture.
    void ReadData(const QByteArray& Data);
    QByteArray WriteData() const;

    // Raised when the graphic is replaced or changes.
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
    // The picture lives in form resources as the binary property "Data" (ReadData, WriteData).
    void DefineProperties(TFiler* Filer) override;

private:
    void Take(std::unique_ptr<TGraphic> graphic);

    std::unique_ptr<TGraphic> graphic_;
};
