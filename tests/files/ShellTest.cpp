#include "files/Shell.h"
#include <QTest>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <utility>

namespace {

const QString kNoFile = QStringLiteral("No s'ha trobat l'arxiu especificat");
const QString kNoPath = QStringLiteral("No s'ha trobat la via especificada");
const QString kDenied = QStringLiteral("El sistema operatiu denega l'accés a l'arxiu especificat");
const QString kNoHandler =
    QStringLiteral("No hi ha cap aplicació associada amb l'extensió de l'arxiu");

void writeFile(const QString &path, QFileDevice::Permissions permissions)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    QVERIFY(f.setPermissions(permissions));
}

} // namespace

Q_DECLARE_METATYPE(ShellOperation)

class ShellTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void failureReasons_data()
    {
        QTest::addColumn<QString>("file"); // relative to a folder holding doc.xyz, tool, tool.sh
        QTest::addColumn<ShellOperation>("operation");
        QTest::addColumn<QString>("reason");

        const std::pair<ShellOperation, QByteArray> operations[] = {
            {ShellOperation::OpenDocument, "document"},
            {ShellOperation::StartProgram, "program"},
            {ShellOperation::MoveToTrash, "trash"}};
        for (const auto &[op, name] : operations) {
            QTest::newRow(("missing file, " + name).constData())
                << QStringLiteral("absent.exe") << op << kNoFile;
            QTest::newRow(("missing folder, " + name).constData())
                << QStringLiteral("no/such/dir/absent.exe") << op << kNoPath;
        }
        QTest::newRow("program not executable")
            << QStringLiteral("tool") << ShellOperation::StartProgram << kDenied;
        // A program that may be run gives no reason of its own.
        QTest::newRow("program executable")
            << QStringLiteral("tool.sh") << ShellOperation::StartProgram << QString();
        QTest::newRow("document without handler")
            << QStringLiteral("doc.xyz") << ShellOperation::OpenDocument << kNoHandler;
        QTest::newRow("trash refuses a present file")
            << QStringLiteral("doc.xyz") << ShellOperation::MoveToTrash << kDenied;
    }

    void failureReasons()
    {
        QFETCH(QString, file);
        QFETCH(ShellOperation, operation);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const auto rw = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        writeFile(dir.filePath(QStringLiteral("doc.xyz")), rw);
        writeFile(dir.filePath(QStringLiteral("tool")), rw);
        writeFile(dir.filePath(QStringLiteral("tool.sh")), rw | QFileDevice::ExeOwner);
        QCOMPARE(shellFailureReason(dir.filePath(file), operation), reason);
    }
};

QTEST_GUILESS_MAIN(ShellTest)
#include "ShellTest.moc"
