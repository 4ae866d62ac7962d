#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window of a copy or move: "De:" and the current source, "A:" and the current
// target, a gauge for the file and one for the whole operation, and "Cancel·la", which only
// tells the owner (cancelRequested); the window itself never closes on its own.
class TCopyFilesProgressBox : public QDialog
{
    Q_OBJECT

public:
    explicit TCopyFilesProgressBox(QWidget *parent = nullptr);

    void setFiles(const QString &source, const QString &target);
    void setFilePercent(int percent);
    void setTotalPercent(int percent);

    QProgressBar *fileGauge() const { return m_fileGauge; }
    QProgressBar *totalGauge() const { return m_totalGauge; }
    QPushButton *cancelButton() const { return m_cancel; }
    QString sourceText() const;
    QString targetText() const;

    // How a name is shown on one line: line breaks and other control characters as visible
    // marks, so that an odd name cannot push the gauges out of the window.
    static QString displayName(const QString &name);

Q_SIGNALS:
    void cancelRequested();

protected:
    void reject() override; // Esc and the close box mean Cancel too
    void resizeEvent(QResizeEvent *event) override;

private:
    void showNames();

    QLabel *m_source = nullptr;
    QLabel *m_target = nullptr;
    QProgressBar *m_fileGauge = nullptr;
    QProgressBar *m_totalGauge = nullptr;
    QPushButton *m_cancel = nullptr;
    QString m_sourceName;
    QString m_targetName;
};
