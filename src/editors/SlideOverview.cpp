#include "editors/SlideOverview.h"

#include "editors/SlideListRows.h"

#include <algorithm>

std::vector<OverviewRow> overviewRows(const SlideListRows &rows)
{
    std::vector<OverviewRow> out;
    out.reserve(std::size_t(rows.count()));
    for (int r = 0; r < rows.count(); ++r) {
        OverviewRow o;
        o.dir = rows.text(r, FileListRows::Dir);
        o.name = rows.text(r, FileListRows::Name);
        o.ext = rows.text(r, FileListRows::Ext);
        o.kind = rows.kindLetter(r);
        o.valid = rows.flag(r, FileListRows::Valid);
        o.shown = rows.flag(r, SlideListRows::Show);
        o.prompt = rows.text(r, SlideListRows::PromptOr1stLine);
        o.answers = rows.text(r, SlideListRows::AnswersOrNextLines);
        out.push_back(std::move(o));
    }
    return out;
}

SlideIndex BuildSlideIndex(const std::vector<OverviewRow> &rows, bool sortByDir)
{
    SlideIndex index;
    std::vector<IndexEntry> entries;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const OverviewRow &o = rows[r];
        if (!o.valid || !o.shown || o.kind == QLatin1String("T"))
            continue;
        entries.push_back({o.dir, o.name, o.ext, QString::number(r + 1)});
    }
    auto ci = [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive); };
    // Sorted as asked, without regard to case; what the order leaves equal is ordered further
    // by the rest of the path, so that the rows of one file stand together and merge.
    std::stable_sort(entries.begin(), entries.end(), [&](const IndexEntry &a, const IndexEntry &b) {
        int c = sortByDir ? ci(a.dir, b.dir) : 0;
        if (c == 0)
            c = ci(a.name, b.name);
        if (c == 0)
            c = ci(a.ext, b.ext);
        if (c == 0 && !sortByDir)
            c = ci(a.dir, b.dir);
        if (c == 0)
            c = a.dir.compare(b.dir);
        if (c == 0)
            c = a.name.compare(b.name);
        if (c == 0)
            c = a.ext.compare(b.ext);
        return c < 0;
    });
    for (IndexEntry &e : entries) {
        if (!index.entries.empty()) {
            IndexEntry &kept = index.entries.back();
            if (kept.dir == e.dir && kept.name == e.name && kept.ext == e.ext) {
                kept.num = (kept.num + QStringLiteral(", ") + e.num).left(kIndexNumWidth);
                continue;
            }
            if (kept.dir != e.dir)
                index.severalDirs = true;
        }
        index.entries.push_back(std::move(e));
    }
    return index;
}

QStringList SlideIndexLines(const SlideIndex &index, bool sortByDir, bool noNumbers)
{
    QStringList lines;
    const bool dirLines = sortByDir && index.severalDirs;
    for (std::size_t i = 0; i < index.entries.size(); ++i) {
        const IndexEntry &e = index.entries[i];
        if (dirLines && (i == 0 || index.entries[i - 1].dir != e.dir))
            lines << e.dir;
        lines << (noNumbers ? e.name : e.name + QLatin1Char('\t') + e.num);
    }
    return lines;
}

QString NothingToIndexText()
{
    return QStringLiteral("No hi ha cap arxiu vàlid") + QStringLiteral(" a indexar");
}

QStringList SlideSketchLines(const std::vector<OverviewRow> &rows, bool allParagraphs,
                             bool withTabs, bool noNumbers)
{
    QStringList lines;
    if (rows.empty())
        return lines;
    const int width = int(QString::number(rows.size()).size());
    const QChar tab(QLatin1Char('\t'));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const OverviewRow &o = rows[r];
        const QString marker = o.valid && o.shown ? QString() : QStringLiteral("!");
        QString prefix;
        if (noNumbers)
            prefix = marker;
        else if (withTabs)
            prefix = QString::number(r + 1) + tab + marker;
        else
            prefix = QStringLiteral("%1").arg(r + 1, width) + QStringLiteral("  ") + marker;
        const QStringList first = o.prompt.split(QLatin1Char('|'));
        const QStringList second =
            o.answers.isEmpty() ? QStringList() : o.answers.split(QLatin1Char('|'));
        if (o.kind == QLatin1String("T")) {
            lines << prefix + first.front();
            if (allParagraphs) {
                for (qsizetype i = 1; i < first.size(); ++i)
                    lines << tab + first[i];
                for (const QString &p : second)
                    lines << tab + p;
            }
        } else {
            lines << prefix + o.name;
            if (allParagraphs) {
                for (const QString &p : first)
                    lines << tab + p;
                for (const QString &p : second)
                    lines << tab + p;
            }
        }
    }
    return lines;
}
