#include "lib/moxMask.h"

#include "lib/moxMaskEngine.h"
#include "lib/moxMaskProgram.h"
#include "vcl/SysUtils.h"

using namespace moxMaskProgram;

TParsedPicture::TParsedPicture(const String& mask, Program&& program)
    : mask_(mask), program_(std::make_unique<const Program>(std::move(program))) {}

TParsedPicture::~TParsedPicture() = default;

std::shared_ptr<const TParsedPicture> TParsedPicture::Parse(const String& Mask) {
    const std::vector<Token> tokens = Tokenize(Mask);
    if (!CheckTokens(tokens)) return nullptr;
    return std::shared_ptr<const TParsedPicture>(new TParsedPicture(Mask, moxMaskProgram::Parse(tokens)));
}

bool TParsedPicture::Match(String& Text, String& Fill, bool Partial, bool CaseCorrection,
                           bool CaseInsensitive) const {
    MatchOutcome outcome =
        MatchProgram(*program_, Text, MatchFlags{Partial, CaseCorrection, CaseInsensitive});
    Fill = outcome.fill;
    if (outcome.matched) Text = outcome.text;
    return outcome.matched;
}

bool MatchPicture(const String& Mask, String& Text, String& Fill, bool Partial, bool CaseCorrection,
                  bool CaseInsensitive) {
    Fill.clear();
    const std::shared_ptr<const TParsedPicture> picture = TParsedPicture::Parse(Mask);
    return picture && picture->Match(Text, Fill, Partial, CaseCorrection, CaseInsensitive);
}

bool CheckPictureSyntax(const String& Mask) {
    return CheckTokens(Tokenize(Mask));
}

int DateOrderOf(const String& Format) {
    for (const Char c : Format) {
        switch (c.toUpper().unicode()) {
        case u'M':
            return 0;
        case u'D':
            return 1;
        case u'E':
        case u'Y':
            return 2;
        default:
            break;
        }
    }
    return 1;
}

namespace {

const char* const MonthPicture = "{0{1,2,3,4,5,6,7,8,9},1{,0,1,2},2,3,4,5,6,7,8,9}";
const char* const DayPicture = "{0{1,2,3,4,5,6,7,8,9},1[#],2[#],3[{0,1}]}";
const char* const HourPicture = "{#,{0{,#},1#,2{0,1,2,3}}}";
const char* const MinutePicture = "{#,{0,1,2,3,4,5}#}";

// A separator that is a character of the picture language stands for itself only when escaped.
String Separator(Char c) {
    static const String special = QStringLiteral("#?&~@!_*[]{},\\");
    return special.contains(c) ? String(u'\\') + c : String(c);
}

} // namespace

String DatePicture(bool FourDigitYear) {
    const String sep = Separator(FormatSettings.DateSeparator);
    const String month = QString::fromLatin1(MonthPicture);
    const String day = QString::fromLatin1(DayPicture);
    const String year = FourDigitYear ? QStringLiteral("####") : QStringLiteral("##");
    switch (DateOrderOf(FormatSettings.ShortDateFormat)) {
    case 0:
        return month + sep + day + sep + year;
    case 2:
        return year + sep + month + sep + day;
    default:
        return day + sep + month + sep + year;
    }
}

String TimePicture(bool WithSeconds) {
    const String sep = Separator(FormatSettings.TimeSeparator);
    String picture = QString::fromLatin1(HourPicture) + sep + QString::fromLatin1(MinutePicture);
    if (WithSeconds) picture += sep + QString::fromLatin1(MinutePicture);
    return picture;
}
