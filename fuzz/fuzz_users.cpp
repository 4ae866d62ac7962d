// The users and domains lists: Base64 of TAB-separated rows. The first byte chooses whether the
// rest is taken as the file itself or as the rows the file encodes (which lets the fuzzer reach
// the row reader). A list that loads must load again, unchanged, from its own rows.
#include "FuzzSupport.h"
#include "config/Base64.h"
#include "users/TDMAdminUsersDomains.h"

namespace {

void loadTwice(KeyedTable &table, const QString &path)
{
    if (!table.load(path).ok())
        return;
    for (int row = 0; row < table.rowCount(); ++row)
        (void)table.text(row, table.table().fields().front().name);
    const QString rows = table.rowsText();
    const QString again = fuzzScratchDir() + QStringLiteral("/again.txt");
    fuzzScratchFile(QStringLiteral("again.txt"), encodeBase64Bytes(rows.toUtf8()));
    FUZZ_CHECK(table.load(again).ok());
    FUZZ_CHECK(table.rowsText() == rows);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray rest = fuzzBytes(bytes + 1, size - 1);
    const QByteArray file = (bytes[0] & 1) ? rest : encodeBase64Bytes(rest);
    TDMAdminUsersDomains users;
    users.SetUsersDir(fuzzScratchDir());
    fuzzScratchFile(QStringLiteral("Users.txt"), file);
    fuzzScratchFile(QStringLiteral("Domains.txt"), file);
    if (users.LoadUsers().ok()) {
        (void)users.findUser(QStringLiteral("admin"));
        loadTwice(users.RMD_Users, users.UsersFilePath());
    }
    if (users.LoadDomains().ok()) {
        (void)users.domainNames();
        (void)users.DomainDir(QStringLiteral("Escola"));
        loadTwice(users.RMD_Domains, users.DomainsFilePath());
    }
    return 0;
}
