#include "vcl/db/Errors.h"

#include "vcl/classes/Component.h"
#include "vcl/db/Consts.h"

void DatabaseError(const String& Message, const TComponent* Component) {
    if (Component && !Component->Name().isEmpty())
        throw EDatabaseError(QStringLiteral("%1: %2").arg(Component->Name(), Message));
    throw EDatabaseError(Message);
}

void DatabaseErrorFmt(const char* Message, std::initializer_list<String> Args, const TComponent* Component) {
    DatabaseError(DBConsts::Fmt(Message, Args), Component);
}

String DBConsts::Fmt(const char* Message, std::initializer_list<String> Args) {
    const String text = QString::fromLatin1(Message);
    String result;
    auto arg = Args.begin();
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == u'%' && i + 1 < text.size() && text[i + 1] == u's' && arg != Args.end()) {
            result += *arg++;
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}
