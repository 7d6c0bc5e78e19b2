#pragma once

#include "ravel/RavelError.h"

#include <QString>

// The upload job's view of the session, set from the component's events.
struct UploadFlags
{
    enum class Login
    {
        Failed = 0,
        Waiting = 1,
        LoggedIn = -1
    };

    Login login = Login::Waiting;
    bool dirReady = false;
    bool fatalError = false;

    // 250 or 521 marks the target directory as reached.
    void applyDirReady(int code);
    // Server refusals that end the job; 550 and refusals of CWD/MKD never do.
    void applyFatal(int code, const QString &command);
    void applyLogin(int resultCode)
    {
        login = resultCode == RavelError::resultCode(0) ? Login::LoggedIn : Login::Failed;
    }
};
