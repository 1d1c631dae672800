#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace corvane {

class SymbolLabel;

// The body of the Permissions section: whether Corvane may read and move other applications'
// windows, and, when it may not, what the user can do about it.
class AccessibilityStatusView : public QWidget {
    Q_OBJECT
public:
    explicit AccessibilityStatusView(QWidget* parent = nullptr);

    bool isTrusted() const { return trusted_; }
    void setTrusted(bool trusted);

    QString headline() const;
    // The instructions shown while not trusted (empty while trusted).
    QString instructions() const;
    // Present only where the system has a settings pane for the permission.
    QPushButton* openSettingsButton() const { return openSettings_; }

private:
    void present(bool trusted);

    bool trusted_ = false;
    SymbolLabel* symbol_ = nullptr;
    QLabel* headline_ = nullptr;
    QLabel* explanation_ = nullptr;
    QLabel* instructions_ = nullptr;
    QPushButton* openSettings_ = nullptr;
};

} // namespace corvane
