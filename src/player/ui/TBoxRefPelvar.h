#pragma once

#include <QDialog>

class QLabel;
class QTextBrowser;

// The about box ("&Referència..."): the program's name, version and description, and the
// libraries it is built on with their licences.
class TBoxRefPelvar : public QDialog
{
    Q_OBJECT

public:
    explicit TBoxRefPelvar(QWidget *parent = nullptr);

    QLabel *versionLabel() const { return m_version; }
    QTextBrowser *licences() const { return m_licences; }

private:
    QLabel *m_version = nullptr;
    QTextBrowser *m_licences = nullptr;
};
