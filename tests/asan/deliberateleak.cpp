// Leaks one object on purpose; see CMakeLists.txt.
#include <QGuiApplication>
#include <QTimer>

namespace
{

// Kept out of reach of the leak checker only after the event loop, so the object is a leak.
struct Payload {
    int values[16];
};
Payload* volatile g_leaked = nullptr;

__attribute__((noinline)) void LeakFromEventLoop()
{
    g_leaked = new Payload{};
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QTimer::singleShot(0, &app,
                       [&app]
                       {
                           LeakFromEventLoop();
                           app.quit();
                       });
    const int code = app.exec();
    g_leaked = nullptr;
    return code;
}
