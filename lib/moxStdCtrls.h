#pragma once
// The library's standard controls and the objects they hold.
#include <memory>

#include "lib/moxMask.h"
#include "vcl/Classes.h"

// The picture and its options that an edit control checks typing against.
class TmoxPictureMask : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString PictureMask READ PictureMask WRITE SetPictureMask)
    Q_PROPERTY(moxMask::TPictureOptions Options READ Options WRITE SetOptions)
    Q_CLASSINFO("default:Options", "[poAutoFill, poCaseCorrection, poCaseInsensitive]")
public:
    TmoxPictureMask();
    ~TmoxPictureMask() override;

    // An empty picture means that the edit applies none.
    String PictureMask() const { return picture_->Mask(); }
    // Raises EPictureError "Invalid picture mask" for a malformed picture and keeps the old one.
    void SetPictureMask(const String& Value);
    TPictureOptions Options() const { return options_; }
    void SetOptions(TPictureOptions Value) { options_ = Value; }

    // MatchPicture with this picture and the case options.
    bool MatchText(String& Text, String& Fill, bool Partial) const;

    // Copies the picture and the options of another picture mask; any other source is ignored.
    void Assign(TPersistent* Source) override;

private:
    std::shared_ptr<const TParsedPicture> picture_;
    TPictureOptions options_ = poAutoFill | poCaseCorrection | poCaseInsensitive;
};
