#include "shell/FileBrowserToggle.h"

#include <QPushButton>

FileBrowserToggle::FileBrowserToggle(WindowHeightAnimator &height, QPushButton &button,
                                     QWidget &browser, QWidget &focusSink)
    : m_height(height), m_button(button), m_browser(browser), m_focusSink(focusSink)
{
    QObject::connect(&m_button, &QPushButton::clicked, &m_button, [this] { toggle(); });
}

bool FileBrowserToggle::shown() const
{
    return !m_browser.isHidden();
}

void FileBrowserToggle::toggle()
{
    m_button.setEnabled(false);
    if (m_browser.isHidden()) {
        m_browser.show();
        if (m_height.animateBy(Growth))
            m_button.setText(QStringLiteral("Hide Hard Drive List Box"));
    } else if (m_height.animateBy(-Growth)) {
        m_browser.hide();
        m_button.setText(QStringLiteral("Display Hard Drive List Box"));
    }
    m_focusSink.setFocus();
    m_button.setEnabled(true);
}
