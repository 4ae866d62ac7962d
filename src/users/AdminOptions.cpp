#include "users/AdminOptions.h"

#include "files/FileChecks.h"
#include "files/FileNames.h"
#include "files/Prompter.h"
#include "users/TDMAdminUsersDomains.h"
#include "users/UserNames.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <numeric>

namespace {

void sortRows(KeyedTable &t, const std::function<bool(int, int)> &less)
{
    std::vector<int> order(std::size_t(t.rowCount()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), less);
    t.reorder(order);
}

void deleteRows(KeyedTable &t, std::vector<int> rows, Prompter &prompter)
{
    if (rows.empty()) {
        prompter.ShowInfo(QStringLiteral("Heu de seleccionar alguna fila"));
        return;
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        t.deleteRow(*it);
}

} // namespace

AdminOptions::AdminOptions(TDMAdminUsersDomains &users, Prompter &prompter,
                           AskNewPassword askNewPassword, QString programBaseName)
    : m_users(users), m_prompter(prompter), m_askNewPassword(std::move(askNewPassword)),
      m_programBaseName(std::move(programBaseName))
{}

void AdminOptions::open(const QString &adminPassword, bool useAdminPassword,
                        const QString &usersDir)
{
    m_password = adminPassword;
    m_changed = false;
    setPasswordInUse(useAdminPassword);
    QString dir = usersDir;
    if (!dir.isEmpty() && !QFileInfo(dir).isDir()) {
        m_prompter.ShowError(QStringLiteral("No s'ha trobat el directori '%1'").arg(dir));
        dir = nearestExistingFolder(dir);
    }
    setUsersDir(dir);
}

void AdminOptions::setPasswordInUse(bool inUse)
{
    m_inUse = inUse;
    if (!inUse || !m_password.isEmpty())
        return;
    m_prompter.ShowInfo(QStringLiteral("Seguidament hauríeu d'escollir una contrasenya, que com a "
                                       "mínim ha de tenir %1 caràcters")
                            .arg(kMinPasswordLength));
    const auto chosen = m_askNewPassword ? m_askNewPassword(kMaxPasswordLength) : std::nullopt;
    if (!chosen)
        return;
    m_password = *chosen;
    m_changed = true;
    m_prompter.ShowInfo(
        QStringLiteral("Heu assignat una contrasenya com administrador\r\nSi l'oblideu aquesta "
                       "està desada a %1.ini: llavors l'haureu d'esborrar\r\n\r\nRecordeu que "
                       "passant el paràmetre \"/L\" s'evita de preguntar la contrasenya i s'entén "
                       "que l'usuari del programa no és l'administrador.\r\nHo podeu fer "
                       "modificant el destí de la drecera (acceso directo):\r\n  \"[Via]\\%1.exe\" "
                       "/L")
            .arg(m_programBaseName));
    loadLists();
}

void AdminOptions::setUsersDir(const QString &dir)
{
    m_dir = dir;
    if (!dir.isEmpty() && IsOnCD(dir)) {
        m_prompter.ShowError(QStringLiteral("No es pot seleccionar un CD"));
        m_dir.clear();
    }
    m_users.SetUsersDir(m_dir);
    loadLists();
}

void AdminOptions::loadLists()
{
    // An unreadable list is told, and the module then refuses to write over it.
    for (const auto &loaded : {m_users.LoadUsers(), m_users.LoadDomains()})
        if (!loaded.ok() && !loaded.error().isEmpty())
            m_prompter.ShowError(loaded.error());
}

bool AdminOptions::checkBeforeOk()
{
    if (m_inUse && m_password.isEmpty())
        setPasswordInUse(true);
    return !(m_inUse && m_password.isEmpty());
}

bool AdminOptions::saveOnClose()
{
    if (!tablesEnabled())
        return true;
    return m_users.SaveUsers(m_prompter).ok() && m_users.SaveDomains(m_prompter).ok();
}

QString AdminOptions::passwordAfterClose(bool accepted, const QString &programPassword)
{
    if (!m_inUse || !m_changed)
        return programPassword;
    if (!accepted)
        m_prompter.ShowWarning(QStringLiteral(
            "Encara que hàgiu cancel·lat la finestra la contrasenya es manté modificada"));
    return m_password;
}

void AdminOptions::sortByGroupAndUser()
{
    KeyedTable &t = m_users.RMD_Users;
    sortRows(t, [&t](int a, int b) {
        const int g = t.text(a, QStringLiteral("Group"))
                          .compare(t.text(b, QStringLiteral("Group")), Qt::CaseInsensitive);
        if (g != 0)
            return g < 0;
        return t.text(a, QStringLiteral("User"))
                   .compare(t.text(b, QStringLiteral("User")), Qt::CaseInsensitive) < 0;
    });
}

void AdminOptions::sortByUser()
{
    KeyedTable &t = m_users.RMD_Users;
    sortRows(t, [&t](int a, int b) {
        return t.text(a, QStringLiteral("User"))
                   .compare(t.text(b, QStringLiteral("User")), Qt::CaseInsensitive) < 0;
    });
}

void AdminOptions::deleteUserRows(std::vector<int> rows)
{
    deleteRows(m_users.RMD_Users, std::move(rows), m_prompter);
}

void AdminOptions::deleteDomainRows(std::vector<int> rows)
{
    deleteRows(m_users.RMD_Domains, std::move(rows), m_prompter);
}

Fallible<void> AdminOptions::setDomainDir(int row, const QString &folder)
{
    // A local absolute folder: a network path ("\\server\share", "//server/share") is not
    // assigned, nor a folder on a CD.
    const bool network =
        folder.startsWith(QLatin1String("\\\\")) || folder.startsWith(QLatin1String("//"));
    if (folder.isEmpty() || network || !QDir::isAbsolutePath(folder))
        return Fallible<void>::failure(QString());
    if (IsOnCD(folder)) {
        m_prompter.ShowError(QStringLiteral("No es pot seleccionar un CD"));
        return Fallible<void>::failure(QStringLiteral("No es pot seleccionar un CD"));
    }
    KeyedTable &t = m_users.RMD_Domains;
    t.beginEdit(row);
    if (t.state() != KeyedTable::EditState::Edit)
        return Fallible<void>::failure(QString());
    t.setPending(QStringLiteral("Dir"), folder);
    t.setPending(QStringLiteral("ValidDir"), true);
    auto posted = t.post();
    if (!posted.ok()) {
        t.cancel();
        m_prompter.ShowError(posted.error());
    }
    return posted;
}

std::optional<QString> AdminOptions::searchDomainDir(const std::vector<int> &selectedRows)
{
    if (selectedRows.size() != 1) {
        m_prompter.ShowError(
            QStringLiteral("Heu de seleccionar %1 domini del plafó dret")
                .arg(selectedRows.empty() ? QStringLiteral("algun") : QStringLiteral("un sol")));
        return std::nullopt;
    }
    const QString dir = m_users.RMD_Domains.text(selectedRows.front(), QStringLiteral("Dir"));
    if (QFileInfo(dir).isDir())
        return dir;
    m_prompter.ShowError(QStringLiteral("No s'ha trobat el directori '%1'").arg(dir));
    return nearestExistingFolder(dir);
}
