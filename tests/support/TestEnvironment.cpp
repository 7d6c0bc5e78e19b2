// Linked into every test program: before anything runs, the user's configuration, data and
// cache folders are replaced by fresh temporary ones, so a test started by hand (outside
// CTest) can never read or remove a real user's settings or registry. Nor its keyring: the
// session bus is forgotten and the keyring switched off; the keyring test turns it on again
// on a bus of its own.
#include <QtGlobal>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

class TestEnvironment
{
public:
    TestEnvironment()
    {
        const char *tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/lumora-test-XXXXXX";
        if (!mkdtemp(pattern.data()))
            qFatal("cannot make a temporary home for the test in %s", pattern.c_str());
        m_root = pattern;
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
            const std::filesystem::path folder = m_root / name;
            std::filesystem::create_directory(folder);
            setenv(name, folder.c_str(), 1);
        }
        setenv("LUMORA_KEYRING", "off", 1);
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
    ~TestEnvironment()
    {
        // Only the process that made the folders removes them; a forked child leaves them.
        if (getpid() == m_owner) {
            std::error_code ignored;
            std::filesystem::remove_all(m_root, ignored);
        }
    }

private:
    std::filesystem::path m_root;
    pid_t m_owner = getpid();
};

const TestEnvironment environment;

} // namespace
