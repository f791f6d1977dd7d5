// Any bytes as the per-user registry file. What parses must write back to text that parses
// to the same document (and the same text again); whatever the bytes, the settings store
// loads from them without harm, every setting within its type, and what it saves loads back
// to the same settings.
#include "config/Config.h"
#include "config/RegistryText.h"

#include <cstdint>
#include <cstdlib>

namespace {
void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckSettings(const TConfig& config)
{
    Check(config.Count() == SettingCount);
    for (int id = 0; id < SettingCount; ++id) {
        const TConfigValue& item = config.Item(id);
        Check(item.Id == id);
        if (item.Kind == skString)
            Check(item.CurText.size() <= TConfig::MaxTextLength);
    }
}

bool SameSettings(const TConfig& a, const TConfig& b)
{
    for (int id = 0; id < SettingCount; ++id) {
        const bool same = a.Item(id).Kind == skString    ? a.GetStr(id) == b.GetStr(id)
                          : a.Item(id).Kind == skBoolean ? a.GetBool(id) == b.GetBool(id)
                                                         : a.GetInt(id) == b.GetInt(id);
        if (!same)
            return false;
    }
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    if (const std::optional<TRegistryDocument> document = ParseRegistryText(bytes)) {
        const QByteArray text = SerializeRegistryText(*document);
        const std::optional<TRegistryDocument> again = ParseRegistryText(text);
        Check(again.has_value() && *again == *document);
        Check(SerializeRegistryText(*again) == text);
    }

    TConfig config{QString()};
    config.RegistryFile().LoadBytes(bytes);
    config.OpenRegistryKey(TConfig::KeyPath);
    Check(config.LoadAll());
    CheckSettings(config);
    config.SetStr(user_name, config.GetStr(user_name) + config.GetStr(font_name));
    Check(config.SaveAll());

    const QByteArray saved = SerializeRegistryText(config.RegistryFile().Document());
    TConfig reloaded{QString()};
    Check(reloaded.RegistryFile().LoadBytes(saved));
    reloaded.OpenRegistryKey(TConfig::KeyPath);
    Check(reloaded.LoadAll());
    CheckSettings(reloaded);
    Check(SameSettings(config, reloaded));
    return 0;
}
