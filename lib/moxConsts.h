#pragma once
// The library's messages, kept in one place.
#include "vcl/System.h"

namespace moxConsts {
inline const String SCannotCreateIniFile = QStringLiteral("Cannot create ini-file");
// Raised with EInvalidOp when a property storage would become its own master.
inline const String SCircularLink = QStringLiteral("Circular links not allowed");
// A named collection item renamed to another item's name; %s is the name.
inline const String SDuplicateItem = QStringLiteral("Items '%s' already exists");
// Raised with EFileOperation (moxSysUtils) for a file name that IsValidFileName rejects; %s is the name.
inline const String SInvalidFileName = QStringLiteral("Invalid file name - %s");

// The built-in words of the money-to-words component (English), one line per word.
inline const String SMoneyCurrency = QStringLiteral("dollar\r\ndollars\r\ndollars\r\n");
inline const String SMoneyCurrencySub = QStringLiteral("cent\r\ncents\r\ncents\r\n");
inline const String SMoneyMaleOne =
    QStringLiteral("one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\nseven\r\neight\r\nnine\r\n");
inline const String SMoneyFemaleOne =
    QStringLiteral("one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\nseven\r\neight\r\nnine\r\n");
inline const String SMoneyTen =
    QStringLiteral("ten\r\ntwenty\r\nthirty\r\nforty\r\nfifty\r\nsixty\r\nseventy\r\neighty\r\nninety\r\n");
inline const String SMoneyFirstTen = QStringLiteral("eleven\r\ntwelve\r\nthirteen\r\nfourteen\r\nfifteen\r\ns"
                                                    "ixteen\r\nseventeen\r\neighteen\r\nnineteen\r\n");
inline const String SMoneyHundred =
    QStringLiteral("one hundred\r\ntwo hundred\r\nthree hundred\r\nfour hundred\r\nfive hundred\r\n"
                   "six hundred\r\nseven hundred\r\neight hundred\r\nnine hundred\r\n");
inline const String SMoneyThousand = QStringLiteral("thousand\r\nthousand\r\nthousand\r\n");
inline const String SMoneyMillion = QStringLiteral("million\r\nmillion\r\nmillion\r\n");
inline const String SMoneyBillion = QStringLiteral("billion\r\nbillion\r\nbillion\r\n");
inline const String SMoneyZero = QStringLiteral("zero\r\n");
inline const String SMoneyMinus = QStringLiteral("minus");

// The picture masks.
inline const String SInvalidPictureMask = QStringLiteral("Invalid picture mask");
} // namespace moxConsts
using namespace moxConsts;
