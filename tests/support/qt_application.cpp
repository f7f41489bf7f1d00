#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// One widget application for the whole test binary (offscreen platform):
// the device link posts reports through its event loop and windows need it.
class QtApplication final : public ::testing::Environment {
public:
    void SetUp() override { m_app = std::make_unique<QApplication>(m_argc, m_argv); }
    void TearDown() override
    {
        m_app.reset();
#if defined(__SANITIZE_ADDRESS__)
        // The leak check runs now, with the application gone and the
        // platform's threads at rest. At exit, threads that Qt's global
        // destructors are stopping can crash LeakSanitizer's tracer
        // ("Tracer caught signal 11"), failing a test that passed.
        __lsan_do_leak_check();
#endif
    }

private:
    int m_argc = 1;
    char m_name[9] = "kq_tests";
    char *m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] ::testing::Environment *const kQtApplication =
    ::testing::AddGlobalTestEnvironment(new QtApplication);

}  // namespace
