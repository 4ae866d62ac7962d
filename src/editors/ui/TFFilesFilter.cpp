#include "editors/ui/TFFilesFilter.h"

#include "files/HelpContexts.h"
#include "files/Prompter.h"
#include "files/ui/DialogHelp.h"
#include "options/ui/OptionsDialogParts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The boxes in the order the dialog shows them, and their names.
struct BoxInfo
{
    FileFilterKind kind;
    const char *name;
};
const BoxInfo kBoxOrder[kFileFilterKindCount] = {
    {FileFilterKind::Bmp, "CB_Bmp"},   {FileFilterKind::Gif, "CB_Gif"},
    {FileFilterKind::Jpeg, "CB_Jpeg"}, {FileFilterKind::Txt, "CB_Txt"},
    {FileFilterKind::Rtf, "CB_Rtf"},   {FileFilterKind::Wmf, "CB_Wmf"},
    {FileFilterKind::Html, "CB_Html"}, {FileFilterKind::Sal, "CB_Sal"},
    {FileFilterKind::Exe, "CB_Exe"},   {FileFilterKind::Video, "CB_Video"},
};

} // namespace

TFFilesFilter::TFFilesFilter(const FileFilterSet &filter, ListContents contents, Prompter &prompter,
                             QWidget *parent)
    : QDialog(parent), m_filter(filter), m_contents(contents), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFFilesFilter"));
    setWindowTitle(QStringLiteral("Tipus d'arxius a mostrar"));
    auto *layout = new QVBoxLayout(this);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    std::vector<QCheckBox *> shown;
    for (const BoxInfo &b : kBoxOrder) {
        if (!filterOffered(b.kind, contents))
            continue;
        QCheckBox *box =
            namedCheck(this, QLatin1String(b.name), filterCaption(b.kind), filter[b.kind]);
        m_boxes[std::size_t(b.kind)] = box;
        shown.push_back(box);
    }
    // Two columns, filled downwards.
    const int rows = int(shown.size() + 1) / 2;
    for (int i = 0; i < int(shown.size()); ++i)
        grid->addWidget(shown[std::size_t(i)], i % rows, i / rows);
    layout->addLayout(grid);

    m_all = new QPushButton(QStringLiteral("Tots"), this);
    m_all->setObjectName(QStringLiteral("BB_All"));
    m_all->setAutoDefault(false);
    connect(m_all, &QPushButton::clicked, this, [this] {
        for (QCheckBox *box : m_boxes)
            if (box)
                box->setChecked(true);
    });
    auto *allRow = new QHBoxLayout;
    allRow->addWidget(m_all);
    allRow->addStretch();
    layout->addLayout(allRow);
    layout->addWidget(optionsButtons(this, m_help));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TFFilesFilter::setHelp(HelpRequester *help)
{
    m_help->setHelp(help, helpNumber(m_contents == ListContents::WithListsAndPrograms
                                         ? HelpContext::SlideFilesFilter
                                         : HelpContext::FilesFilter));
}

FileFilterSet TFFilesFilter::filter() const
{
    FileFilterSet out = m_filter;
    for (int i = 0; i < kFileFilterKindCount; ++i)
        if (const QCheckBox *box = m_boxes[std::size_t(i)])
            out.on[std::size_t(i)] = box->isChecked();
    return out;
}

void TFFilesFilter::accept()
{
    if (!anyOfferedFilterOn(filter(), m_contents)) {
        m_prompter.ShowError(QStringLiteral("No hi ha cap tipus d'arxiu seleccionat"));
        return;
    }
    QDialog::accept();
}
