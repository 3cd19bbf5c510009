#include "lib/moxStdCtrls.h"

#include "lib/moxConsts.h"

TmoxPictureMask::TmoxPictureMask() : picture_(TParsedPicture::Parse(String())) {}

TmoxPictureMask::~TmoxPictureMask() = default;

void TmoxPictureMask::SetPictureMask(const String& Value) {
    if (Value == picture_->Mask()) return;
    std::shared_ptr<const TParsedPicture> parsed = TParsedPicture::Parse(Value);
    if (!parsed) throw EPictureError(SInvalidPictureMask);
    picture_ = std::move(parsed);
}

bool TmoxPictureMask::MatchText(String& Text, String& Fill, bool Partial) const {
    return picture_->Match(Text, Fill, Partial, options_.testFlag(poCaseCorrection),
                           options_.testFlag(poCaseInsensitive));
}

void TmoxPictureMask::Assign(TPersistent* Source) {
    if (auto* other = dynamic_cast<TmoxPictureMask*>(Source)) {
        picture_ = other->picture_;
        options_ = other->options_;
    }
}
