#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// "Recerca": asks for the name of a folder to look for in a tree; * and ? may be used.
class TFItemToFind : public QDialog
{
    Q_OBJECT

public:
    explicit TFItemToFind(QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    QLineEdit *edit() const { return ET_ItemToFind; }

private:
    QLabel *L_ItemToFind = nullptr;
    QLineEdit *ET_ItemToFind = nullptr;
};
