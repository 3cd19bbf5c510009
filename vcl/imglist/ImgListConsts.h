#pragma once
// The messages of image lists.
#include <QString>

namespace ImgListConsts {
inline constexpr const char* SImageIndexError = "Invalid ImageList index";
inline constexpr const char* SReplaceImage = "Unable to Replace Image";
inline constexpr const char* SInvalidImageSize = "Invalid image size";
} // namespace ImgListConsts
