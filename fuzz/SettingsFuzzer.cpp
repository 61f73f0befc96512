// The settings file on arbitrary bytes: parsing, the version check and upgrade, the
// start-up values and the colour and style codecs never fail on any content, and the
// lines read write back as they were read.
#include "FuzzSupport.h"
#include "app/TStartupSettings.h"
#include "settings/TColorCodec.h"
#include "settings/TFontStyle.h"
#include "settings/TSettingsFile.h"
#include "settings/TSettingsList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QStringList lines = TSettingsFile::Parse(FuzzBytes(data, size));
    TSettingsList settings(lines);
    (void)TStartupSettings::IsCurrent(settings);
    TStartupSettings::Values values = TStartupSettings::Read(settings);
    (void)values;
    TStartupSettings::Upgrade(settings);
    FUZZ_CHECK(TStartupSettings::IsCurrent(settings));
    values = TStartupSettings::Read(settings);

    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const QString value = equals < 0 ? line : line.mid(equals + 1);
        if (const std::optional<quint32> color = TColorCodec::Read(value)) {
            // A colour read writes out as a text that reads back to the same value.
            const QString written = TColorCodec::Write(*color);
            const std::optional<quint32> back = TColorCodec::Read(written);
            FUZZ_CHECK(back && *back == *color);
            (void)TColorCodec::ToColor(*color);
        }
        const TFontStyle style = TFontStyle::Read(value);
        FUZZ_CHECK(TFontStyle::Read(style.Write()) == style);
        (void)TStartupSettings::FolderOf(value);
    }

    // Whatever was parsed formats and parses back unchanged.
    FUZZ_CHECK(TSettingsFile::Parse(TSettingsFile::Format(lines)) == lines);
    return 0;
}
