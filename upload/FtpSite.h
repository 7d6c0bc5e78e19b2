#pragma once

#include <QString>

// How much of the album a job sends, remembered with each site.
struct PublishOptions
{
    // Skip files the album's remote folder already holds, by the manifest left there.
    bool changedOnly = false;
    // With changedOnly: delete what the last upload sent and the album no longer has.
    bool deleteRemoved = false;
    bool operator==(const PublishOptions &) const = default;
};

// How the connection is protected: the component's Security values.
enum class TlsMode
{
    Off = 0,
    // TLS when the server offers it, else plain FTP (said in the status box).
    Auto = 1,
    Require = 2
};

// Connections an upload may use at once.
constexpr int MaxConnections = 8;

// One remembered FTP site: the five upload panel fields.
struct FtpSite
{
    QString url;
    QString userName;
    QString password;
    QString urlPath;
    QString filePath;
    PublishOptions options = {};
    // Sites remembered before this choice existed read as Auto.
    TlsMode security = TlsMode::Auto;
    // Connections the files are spread over, 1 to MaxConnections; sites remembered before
    // this choice existed read as 1.
    int connections = 1;

    bool operator==(const FtpSite &) const = default;
};
