#pragma once

#include <QString>

#include <utility>
#include <variant>

// Why an operation failed, in words the user may be shown.
struct Failure {
    QString message;
};

// The outcome of an operation that can fail: its value, or the Failure that says why there
// is none.  The one way failures travel through Tintor's code, from the file system and the
// X server up to the message the user reads.
template <typename T> class [[nodiscard]] Result {
public:
    Result(T value) : m_outcome(std::move(value)) {}
    Result(Failure failure) : m_outcome(std::move(failure)) {}

    [[nodiscard]] bool ok() const { return std::holds_alternative<T>(m_outcome); }
    explicit operator bool() const { return ok(); }

    // Only when ok().
    [[nodiscard]] const T& value() const { return std::get<T>(m_outcome); }
    [[nodiscard]] T& value() { return std::get<T>(m_outcome); }
    [[nodiscard]] const T& operator*() const { return value(); }
    [[nodiscard]] T& operator*() { return value(); }
    [[nodiscard]] const T* operator->() const { return &value(); }
    [[nodiscard]] T* operator->() { return &value(); }
    // Only when !ok().
    [[nodiscard]] const QString& error() const { return std::get<Failure>(m_outcome).message; }

private:
    std::variant<T, Failure> m_outcome;
};

template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : m_failure(std::move(failure)), m_failed(true) {}

    [[nodiscard]] bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    [[nodiscard]] const QString& error() const { return m_failure.message; }

private:
    Failure m_failure;
    bool m_failed = false;
};
