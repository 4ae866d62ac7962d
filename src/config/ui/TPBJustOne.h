#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QWidget;

// The single-instance guard: the first copy of the program listens on a local socket named after
// the user and the program; a later copy asks it to raise its window, shows the message and
// ends before touching any file.
class TPBJustOne : public QObject
{
    Q_OBJECT
public:
    explicit TPBJustOne(const QString &programName, QObject *parent = nullptr);
    ~TPBJustOne() override;

    // True when another copy answered (and has been asked to come to the front).
    bool anotherCopyRuns();
    // Starts listening; the window is raised whenever a later copy knocks.
    void listen(QWidget *window);

    static QString message()
    {
        return QStringLiteral("S'ha ordenat d'executar el programa, quan ja s'estava executant, "
                              "es retornarà al que s'executava en primer lloc");
    }

private:
    QString m_name;
    QLocalServer *m_server = nullptr;
    QWidget *m_window = nullptr;
};
