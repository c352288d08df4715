#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace whoopline {

// A failure carries a message a person can act on; the window decides how to show it.
struct Failure
{
    QString message;
};

// Either a value or a failure message. Failures travel as values, never as silent defaults.
template <typename T>
class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Failure failure) : m_error(std::move(failure.message)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return *m_value; }
    T &value() & { return *m_value; }
    T &&value() && { return std::move(*m_value); }
    const T *operator->() const { return &*m_value; }
    const T &operator*() const { return *m_value; }

    const QString &error() const { return m_error; }

private:
    std::optional<T> m_value;
    QString m_error;
};

struct Success
{
};

// The result of an operation that produces nothing but may fail.
using Status = Result<Success>;

} // namespace whoopline
