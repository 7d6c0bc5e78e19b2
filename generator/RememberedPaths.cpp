#include "generator/RememberedPaths.h"

namespace {
struct KeyInfo
{
    const char *name;
    const char *pattern;
};
constexpr KeyInfo Info[RememberedPaths::KeyCount] = {{"midi", "*.mid"},     {"lwp", "*.lwp"},
                                                     {"genhtml", "*.html"}, {"prevhtml", "*.html"},
                                                     {"linkback", "*.jpg"}, {"mainback", "*.jpg"}};
} // namespace

QString RememberedPaths::keyName(Key key)
{
    return QLatin1String(Info[key].name);
}

void RememberedPaths::reset(const QString &appFolder)
{
    for (int i = 0; i < KeyCount; ++i)
        m_values[i] = appFolder + QLatin1String(Info[i].pattern);
}
