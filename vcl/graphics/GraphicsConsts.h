#pragma once
// The messages of the graphics unit; %1 and %2 stand where the platform's text has %s.
#include <QString>

namespace GraphicsConsts {
inline constexpr const char* SNoCanvasHandle = "Canvas does not allow drawing";
inline constexpr const char* SInvalidBitmap = "Bitmap image is not valid";
inline constexpr const char* SInvalidIcon = "Icon image is not valid";
inline constexpr const char* SInvalidImage = "Invalid image";
inline constexpr const char* SUnknownExtension = "Unknown picture file extension (.%1)";
inline constexpr const char* SUnknownClipboardFormat = "Unsupported clipboard format";
inline constexpr const char* SResNotFound = "Resource %1 not found";
inline constexpr const char* SFOpenErrorEx = "Cannot open file \"%1\". %2";
inline constexpr const char* SFCreateErrorEx = "Cannot create file \"%1\". %2";
inline constexpr const char* SReadError = "Stream read error";
inline constexpr const char* SChangeIconSize = "Cannot change the size of an icon";
inline constexpr const char* SInvalidGraphicClass = "Invalid graphic format %1";

inline QString Fmt(const char* message, const QString& arg) {
    return QString::fromLatin1(message).arg(arg);
}
inline QString Fmt(const char* message, const QString& arg1, const QString& arg2) {
    return QString::fromLatin1(message).arg(arg1, arg2);
}
} // namespace GraphicsConsts
