#pragma once

#include "files/HelpRequester.h"
#include "files/ui/HelpWindow.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <memory>

class Prompter;
class QHelpEngine;
class QWidget;

// The help of the running program: the compiled help collection shown in one help window,
// created at the first request and reused. A help that cannot be read, or a context it has no
// page for, is reported through the prompter.
//
// Asked from a modal window (F1 in a dialog), the help window becomes that window's own window
// while it is open, so that the modality does not block it, and goes back to standing alone
// when it closes.
class ProgramHelp : public QObject, public HelpRequester
{
    Q_OBJECT

public:
    // `collectionFile` is the compiled collection (pelvar.qhc); `prompter` must outlive this.
    ProgramHelp(const QString &collectionFile, Prompter &prompter);
    ~ProgramHelp() override;

    // Where the program's collection is: help/pelvar.qhc in the program's data folder, the
    // installed one first, then the build tree's (ProgramLayout).
    static QString defaultCollectionFile();
    // Whether the collection can be read and holds the program's documentation. Shows nothing.
    bool opens() { return load(); }

    void showHelpContext(int context) override;
    void showHelpTopic(const QString &topic) override;
    void showHelpContents() override;
    void showHelpIndex() override;

    // The page a context or topic name opens (its anchor included), or an empty address when
    // the help has none or cannot be read. Shows nothing.
    QUrl pageFor(const QString &identifier);

    // The window, once a request has opened it.
    HelpWindow *window() const { return m_window.data(); }
    QString collectionFile() const { return m_collectionFile; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Reads the collection the first time; reports and returns false when it cannot.
    bool ready();
    bool load();
    // The window, made usable beside the modal window in force.
    HelpWindow *ensureWindow();
    void setOwner(QWidget *owner);
    // Shows the page of `identifier`; without one, says `missing` and shows the contents.
    void showIdentifier(const QString &identifier, const QString &missing);

    QString m_collectionFile;
    Prompter &m_prompter;
    std::unique_ptr<QHelpEngine> m_engine;
    QPointer<HelpWindow> m_window;
    QPointer<QWidget> m_owner; // the modal window the help window belongs to for now
    bool m_loaded = false;
    // The engine makes its contents and index widgets when first asked for them: only a window
    // asks, and only then are they there to free (a check without a window has no widgets).
    bool m_widgetsMade = false;
};
