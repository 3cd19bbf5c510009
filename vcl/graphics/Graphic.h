#pragma once
// TGraphic: what bitmaps and icons share, as pictures hold them and canvases draw them.
#include <QByteArray>

#include "vcl/Types.h"
#include "vcl/classes/Errors.h"
#include "vcl/classes/Events.h"
#include "vcl/classes/Persistent.h"

class QIODevice;
class TCanvas;

MOX_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
MOX_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);

class TGraphic : public TPersistent {
    Q_OBJECT
public:
    TGraphic();
    ~TGraphic() override;

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual int Height() const = 0;
    virtual void SetHeight(int Value) = 0;
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool Value);
    bool Modified() const { return modified_; }
    void SetModified(bool Value);

    // Files and streams hold the picture in its own file format. Loading a file that cannot be
    // opened raises EFOpenError, one whose content is no valid picture EInvalidGraphic.
    virtual void LoadFromFile(const String& FileName);
    virtual void SaveToFile(const String& FileName);
    virtual void LoadFromStream(QIODevice* Stream) = 0;
    virtual void SaveToStream(QIODevice* Stream) = 0;
    // The picture's data inside a form resource (its "Data" property).
    virtual void ReadData(const QByteArray& Data);
    virtual QByteArray WriteData();

    // Raised after every change of the picture.
    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    // The picture lives in form resources as the binary property "Data" (ReadData, WriteData).
    void DefineProperties(TFiler* Filer) override;
    // Paints the picture into Rect of the canvas, stretched to its size.
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
    virtual void Changed();

    bool transparent_ = false;
    bool modified_ = false;
};
