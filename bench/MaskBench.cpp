// The picture engine against QRegularExpression: complete and partial matches of the date picture,
// the time picture with seconds and the demo's colour picture, each against an equivalent
// precompiled expression on the same texts. Then the slowest of the pathological pictures.
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>
#include <random>
#include <time.h>

#include "BenchSupport.h"
#include "lib/moxMask.h"
#include "vcl/SysUtils.h"

namespace {

struct Subject {
    std::string name;
    String picture;
    String expression;
    QStringList complete; // whole inputs, some of them not fitting
    QStringList partial;  // inputs being typed
};

std::vector<Subject>& Subjects() {
    static std::vector<Subject> subjects;
    return subjects;
}

QStringList PrefixesOf(const QStringList& texts, std::mt19937& rng) {
    QStringList prefixes;
    for (const String& t : texts)
        prefixes << t.left(1 + int(rng() % unsigned(std::max<qsizetype>(1, t.size()))));
    return prefixes;
}

void BuildSubjects() {
    // Fixed settings: month first, "/" and ":" as separators.
    FormatSettings.ShortDateFormat = "m/d/yyyy";
    FormatSettings.DateSeparator = u'/';
    FormatSettings.TimeSeparator = u':';
    std::mt19937 rng(2001);

    // The day picture takes 4 to 9 only with a leading zero.
    Subject date{"date picture",
                 DatePicture(true),
                 "(?:0[1-9]|1[012]?|[2-9])/(?:0[1-9]|1[0-9]?|2[0-9]?|3[01]?)/[0-9]{4}",
                 {},
                 {}};
    for (int i = 0; i < 400; ++i) {
        const int m = 1 + int(rng() % 13), d = 1 + int(rng() % 32), y = 1990 + int(rng() % 40);
        const bool pad = rng() % 2;
        date.complete << QString("%1/%2/%3")
                             .arg(m, pad ? 2 : 1, 10, QChar(u'0'))
                             .arg(d, pad ? 2 : 1, 10, QChar(u'0'))
                             .arg(y);
    }
    date.partial = PrefixesOf(date.complete, rng);

    const String hour = "(?:[0-9]|0[0-9]|1[0-9]|2[0-3])", minute = "(?:[0-9]|[0-5][0-9])";
    Subject time{"time picture with seconds", TimePicture(true), hour + ":" + minute + ":" + minute, {}, {}};
    for (int i = 0; i < 400; ++i) {
        const int h = int(rng() % 25), m = int(rng() % 61), s = int(rng() % 61);
        const bool pad = rng() % 2;
        time.complete << QString("%1:%2:%3")
                             .arg(h, pad ? 2 : 1, 10, QChar(u'0'))
                             .arg(m, 2, 10, QChar(u'0'))
                             .arg(s, 2, 10, QChar(u'0'));
    }
    time.partial = PrefixesOf(time.complete, rng);

    Subject colour{"colour picture",
                   "{Red,Gr{ay,een},B{l{ack,ue},rown},White,Yellow}",
                   "(?:Red|Gr(?:ay|een)|B(?:l(?:ack|ue)|rown)|White|Yellow)",
                   {},
                   {}};
    const QStringList words = {"Red", "Gray",  "Green", "Black", "Blue", "Brown", "White", "Yellow",
                               "red", "green", "BLUE",  "brown", "Pink", "Grey",  "Blu",   "Whites"};
    for (int i = 0; i < 400; ++i)
        colour.complete << words[int(rng() % unsigned(words.size()))];
    colour.partial = PrefixesOf(colour.complete, rng);

    Subjects() = {date, time, colour};
}

void Ours(benchmark::State& state, const Subject* s, bool partial) {
    const std::shared_ptr<const TParsedPicture> picture = TParsedPicture::Parse(s->picture);
    const QStringList& texts = partial ? s->partial : s->complete;
    long fits = 0;
    for (auto _ : state) {
        for (const String& t : texts) {
            String text = t, fill;
            fits += picture->Match(text, fill, partial, true, true);
            benchmark::DoNotOptimize(text);
        }
    }
    benchmark::DoNotOptimize(fits);
    state.SetItemsProcessed(state.iterations() * texts.size());
}

void Baseline(benchmark::State& state, const Subject* s, bool partial) {
    QRegularExpression re(QRegularExpression::anchoredPattern(s->expression),
                          QRegularExpression::CaseInsensitiveOption);
    re.optimize();
    const QStringList& texts = partial ? s->partial : s->complete;
    const auto type =
        partial ? QRegularExpression::PartialPreferCompleteMatch : QRegularExpression::NormalMatch;
    long fits = 0;
    for (auto _ : state) {
        for (const String& t : texts) {
            const QRegularExpressionMatch m = re.match(t, 0, type);
            fits += partial ? (m.hasMatch() || m.hasPartialMatch()) : m.hasMatch();
        }
    }
    benchmark::DoNotOptimize(fits);
    state.SetItemsProcessed(state.iterations() * texts.size());
}

// Both sides must agree on which texts fit, or the comparison means nothing.
bool Agree(const Subject& s, bool partial) {
    const std::shared_ptr<const TParsedPicture> picture = TParsedPicture::Parse(s.picture);
    QRegularExpression re(QRegularExpression::anchoredPattern(s.expression),
                          QRegularExpression::CaseInsensitiveOption);
    for (const String& t : partial ? s.partial : s.complete) {
        String text = t, fill;
        const bool ours = picture->Match(text, fill, partial, true, true);
        const QRegularExpressionMatch m = re.match(
            t, 0, partial ? QRegularExpression::PartialPreferCompleteMatch : QRegularExpression::NormalMatch);
        const bool theirs = partial ? (m.hasMatch() || m.hasPartialMatch()) : m.hasMatch();
        if (ours != theirs) {
            std::printf("disagreement on %s '%s' (%s): ours %d, expression %d\n", s.name.c_str(),
                        t.toUtf8().constData(), partial ? "partial" : "complete", ours, theirs);
            return false;
        }
    }
    return true;
}

qint64 ThreadCpuNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// The slowest match among pictures built to make a naive matcher work exponentially.
void Pathological() {
    const QString digits = QString(256, u'7');
    QString alternatives;
    for (int i = 0; i < 40; ++i)
        alternatives += "{a,aa}";
    const std::vector<std::pair<QString, QString>> cases = {
        {"#*5", digits},
        {"[#*]", digits},
        {QString("*?").repeated(16) + "b", QString(200, u'a')},
        {alternatives + "b", QString(79, u'a') + "c"},
        {alternatives + alternatives + "b", QString(120, u'a')},
        {"*9{*9{*9{*9{*9{,#}}}}}x", QString(200, u'1') + "y"},
        {"*{*{*{*{*{*{*{*#}}}}}}}x", digits},
        {"*{*{#,##}[#]}x", digits},
        {"*{,a,aa,aaa}b", QString(200, u'a')},
        {QString("*[#]").repeated(60), digits + "x"},
        {QString("{,#,##}").repeated(36), digits + "x"},
        {"*999999999{*99999999{,#}}x", digits},
        {"*99{*99{*99[#]}}" + QString("[#]").repeated(20), digits},
        {QString("*{{a,b}{a,b},{a,b}}").repeated(8) + "c", QString("ab").repeated(128)},
        {QString(60, u'[') + "a" + QString(60, u']'), "a"},
    };
    qint64 worst = 0;
    QString worstPicture;
    for (const auto& [mask, text] : cases) {
        const std::shared_ptr<const TParsedPicture> picture = TParsedPicture::Parse(mask);
        for (bool partial : {false, true}) {
            // Processor time of this thread, so that other work on the machine does not count.
            String t = text, fill;
            const qint64 start = ThreadCpuNs();
            picture->Match(t, fill, partial, true, true);
            const qint64 ns = ThreadCpuNs() - start;
            if (ns > worst) {
                worst = ns;
                worstPicture = mask;
            }
        }
    }
    std::printf("pathological pictures: %zu pictures, each in both modes, texts up to 256 characters\n",
                cases.size());
    std::printf("  slowest match: %.3f ms of processor time (%s)\n", worst / 1e6,
                worstPicture.left(60).toUtf8().constData());
}

} // namespace

int main(int argc, char** argv) {
    BuildSubjects();
    for (const Subject& s : Subjects()) {
        for (bool partial : {false, true}) {
            if (!Agree(s, partial)) return 1;
            const std::string mode = partial ? "partial" : "complete";
            benchmark::RegisterBenchmark(("mask/" + s.name + "/" + mode).c_str(), Ours, &s, partial);
            benchmark::RegisterBenchmark(("regex/" + s.name + "/" + mode).c_str(), Baseline, &s, partial);
        }
    }
    const std::map<std::string, double> rates = mox::bench::RunBenchmarks(argc, argv);
    for (const Subject& s : Subjects()) {
        for (bool partial : {false, true}) {
            const std::string mode = partial ? "partial" : "complete";
            const auto ours = rates.find("mask/" + s.name + "/" + mode);
            const auto theirs = rates.find("regex/" + s.name + "/" + mode);
            if (ours == rates.end() || theirs == rates.end()) continue;
            mox::bench::PrintComparison(mode + " matches of the " + s.name + " against QRegularExpression",
                                        long((partial ? s.partial : s.complete).size()), "picture engine",
                                        ours->second, "QRegularExpression", theirs->second);
        }
    }
    Pathological();
    return 0;
}
