#pragma once

#include <QObject>

#include <functional>

namespace whoopline::shell {

// Takes one local file dropped on the window it watches and hands its path to open, once the drop
// is over, so that a warning does not hold up the program the file came from. Anything else
// dropped is refused.
class FileDrop : public QObject
{
    Q_OBJECT

public:
    FileDrop(QWidget *window, std::function<void(const QString &path)> open);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void(const QString &path)> m_open;
};

} // namespace whoopline::shell
