// The guard that gives the desktop its mode back however the program ends.
//
// NOTE: Windows puts the desktop's mode back when a process that changed it with CDS_FULLSCREEN
// ends, however it ends; an X server keeps the mode a client set after the client is gone. SDL
// restores it on every orderly way out, but not after a crash, an abort, SIGKILL or the
// out-of-memory killer. So a process of its own, forked before SDL starts, outlives the program:
// the program tells it each time it enters and leaves its mode, and when the program's end of
// their channel closes while the screen still shows the program's mode, set by nobody since, the
// guard sets the desktop's mode back through its own display connection.
#include "platform/sdl/sdl_internal.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The news on the channel, one record each, with the size of the program's mode; the guard
// answers Entering with kReady once it has read the desktop's mode, which the program is about
// to change.
constexpr char kEntering = 'E';
constexpr char kEntered = 'I';
constexpr char kLeft = 'L';
constexpr char kReady = 'R';

struct News {
    char what;
    int32_t width, height;
};

int channel = -1;  // the program's end; -1 once the guard cannot be told anything

struct CrtcSetting {
    RRCrtc crtc = 0;
    RRMode mode = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0;
    Rotation rotation = RR_Rotate_0;
    std::vector<RROutput> outputs;

    bool SameAs(const CrtcSetting& other) const
    {
        return mode == other.mode && x == other.x && y == other.y && rotation == other.rotation &&
               outputs == other.outputs;
    }
};

// What SDL changes for a fullscreen mode: the screen's size and the mode of its CRTCs.
struct ScreenSetting {
    int width = 0, height = 0;
    std::vector<CrtcSetting> crtcs;

    bool Shows(int32_t modeWidth, int32_t modeHeight) const
    {
        for (const CrtcSetting& crtc : crtcs)
            if (crtc.mode != None && int32_t(crtc.width) == modeWidth &&
                int32_t(crtc.height) == modeHeight)
                return true;
        return false;
    }

    bool SameAs(const ScreenSetting& other) const
    {
        if (width != other.width || height != other.height || crtcs.size() != other.crtcs.size())
            return false;
        for (size_t i = 0; i < crtcs.size(); ++i)
            if (crtcs[i].crtc != other.crtcs[i].crtc || !crtcs[i].SameAs(other.crtcs[i]))
                return false;
        return true;
    }
};

ScreenSetting ReadSetting(Display* display, XRRScreenResources* resources)
{
    ScreenSetting setting;
    XWindowAttributes root;
    XGetWindowAttributes(display, DefaultRootWindow(display), &root);
    setting.width = root.width;
    setting.height = root.height;
    for (int i = 0; i < resources->ncrtc; ++i) {
        XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
        if (!info) continue;
        setting.crtcs.push_back(
            {resources->crtcs[i], info->mode, info->x, info->y, info->width, info->height,
             info->rotation, std::vector<RROutput>(info->outputs, info->outputs + info->noutput)});
        XRRFreeCrtcInfo(info);
    }
    return setting;
}

// Sets `wanted` where the screen differs from it, as xrandr does: a CRTC that would not fit the
// screen's new size is switched off before the size changes.
void ApplySetting(Display* display, XRRScreenResources* resources, const ScreenSetting& wanted)
{
    const ScreenSetting now = ReadSetting(display, resources);
    const bool resize = now.width != wanted.width || now.height != wanted.height;
    std::vector<const CrtcSetting*> changes;
    for (const CrtcSetting& crtc : wanted.crtcs)
        for (const CrtcSetting& current : now.crtcs)
            if (current.crtc == crtc.crtc && !current.SameAs(crtc)) {
                changes.push_back(&crtc);
                if (resize && (current.x + int(current.width) > wanted.width ||
                               current.y + int(current.height) > wanted.height))
                    XRRSetCrtcConfig(display, resources, crtc.crtc, CurrentTime, 0, 0, None,
                                     RR_Rotate_0, nullptr, 0);
            }
    if (resize) {
        // The screen keeps the pixels per millimetre it had when the guard connected, as SDL
        // keeps them when it resizes the screen for its mode.
        const int screen = DefaultScreen(display);
        XRRSetScreenSize(
            display, DefaultRootWindow(display), wanted.width, wanted.height,
            wanted.width * DisplayWidthMM(display, screen) / DisplayWidth(display, screen),
            wanted.height * DisplayHeightMM(display, screen) / DisplayHeight(display, screen));
    }
    for (const CrtcSetting* crtc : changes)
        XRRSetCrtcConfig(display, resources, crtc->crtc, CurrentTime, crtc->x, crtc->y, crtc->mode,
                         crtc->rotation, const_cast<RROutput*>(crtc->outputs.data()),
                         int(crtc->outputs.size()));
}

// The times of the screen's last change of mode and of its last change of outputs and modes.
struct Stamps {
    Time set = 0, configured = 0;
    bool operator==(const Stamps& other) const
    {
        return set == other.set && configured == other.configured;
    }
};

Stamps ReadStamps(XRRScreenResources* resources)
{
    return {resources->timestamp, resources->configTimestamp};
}

int IgnoreError(Display*, XErrorEvent*) { return 0; }
// A connection that drops (a logout, a server restart) leaves whatever screen there is now alone.
int LeaveOnLostConnection(Display*) { _exit(0); }

// The guard's life: told news until the program's end of the channel closes, then the desktop's
// mode back when the program left the screen in its own, and _exit, so that no exit handler, leak
// check or preloaded library's destructor runs in a copy of the program.
[[noreturn]] void Guard(int guardEnd)
{
    Display* display = nullptr;
    ScreenSetting desktop;  // before the program's mode
    ScreenSetting entered;  // as the program's mode left it
    Stamps enteredStamps;
    char state = kLeft;
    News news;
    for (;;) {
        const ssize_t got = recv(guardEnd, &news, sizeof news, MSG_WAITALL);
        if (got < 0 && errno == EINTR) continue;
        if (got != ssize_t(sizeof news)) break;
        if (news.what == kEntering) {
            // The mode to go back to is the one before the first entry since the last leave.
            if (state != kEntered && !display) {
                display = XOpenDisplay(nullptr);
                XSetErrorHandler(IgnoreError);
                XSetIOErrorHandler(LeaveOnLostConnection);
            }
            if (state != kEntered && display) {
                XRRScreenResources* resources =
                    XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
                if (resources) desktop = ReadSetting(display, resources);
                XRRFreeScreenResources(resources);
            }
            send(guardEnd, &kReady, 1, MSG_NOSIGNAL);
        } else if (news.what == kEntered || news.what == kLeft) {
            state = news.what;
            entered = ScreenSetting();
            XRRScreenResources* resources =
                display ? XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display))
                        : nullptr;
            // What the program's entry did, kept only when the screen does show its mode: a
            // window manager may have handed the focus to another copy meanwhile, which put
            // its own desktop mode back.
            if (news.what == kEntered && resources) {
                const ScreenSetting now = ReadSetting(display, resources);
                if (now.Shows(news.width, news.height)) {
                    entered = now;
                    enteredStamps = ReadStamps(resources);
                }
            }
            XRRFreeScreenResources(resources);
        }
    }
    // Only a mode that the program's entry changed, that the screen still shows, and that
    // nobody has set since: not Xvfb's one mode, not another copy's mode that this one found as
    // its desktop, not the user's own nor a restarted program's.
    if (state == kEntered && !entered.crtcs.empty() && !desktop.crtcs.empty() &&
        !entered.SameAs(desktop)) {
        // Held, so that nobody sets a mode between the look and the change.
        XGrabServer(display);
        XRRScreenResources* resources =
            XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
        if (resources && ReadStamps(resources) == enteredStamps &&
            ReadSetting(display, resources).SameAs(entered))
            ApplySetting(display, resources, desktop);
        XRRFreeScreenResources(resources);
        XUngrabServer(display);
        XSync(display, False);
    }
    _exit(0);
}

// The guard's side of the fork: nothing of the program's but its end of the channel.
[[noreturn]] void BecomeGuard(int guardEnd)
{
    prctl(PR_SET_NAME, "dot3bump-guard");
    // Out of the way of the standard descriptors first, which may have been closed when the
    // program started, and which are now nobody's: whoever reads the program's output is not
    // kept waiting by the guard.
    const int kept = fcntl(guardEnd, F_DUPFD, 10);
    const int nothing = open("/dev/null", O_RDWR);
    for (int standard = 0; standard < 3; ++standard) dup2(nothing, standard);
    dup2(kept, 3);
    if (close_range(4, ~0U, 0) != 0)
        for (int descriptor = 4; descriptor < 1024; ++descriptor) close(descriptor);
    Guard(3);
}

bool IsX11Driver()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "x11") == 0;
}

}  // namespace

void StartModeGuard()
{
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return;
    const pid_t middle = fork();
    if (middle == 0) {
        // A session of its own, so that no signal the terminal or the shell sends to the
        // program's process group reaches the guard; the middle process ends at once and init
        // adopts the guard, which leaves no zombie behind.
        setsid();
        if (fork() == 0) BecomeGuard(ends[1]);
        _exit(0);
    }
    close(ends[1]);
    if (middle < 0) {
        close(ends[0]);
        return;
    }
    pid_t reaped;
    do reaped = waitpid(middle, nullptr, 0);
    while (reaped < 0 && errno == EINTR);
    channel = ends[0];
}

void TellModeGuard(ModeNews news)
{
    // Only an X server keeps a mode after its client: Wayland's compositor and the offscreen
    // driver need no guard.
    if (channel < 0 || !IsX11Driver()) return;
    News record;
    std::memset(&record, 0, sizeof record);  // padding included: the guard reads whole records
    record.what = news == ModeNews::Entering  ? kEntering
                  : news == ModeNews::Entered ? kEntered
                                              : kLeft;
    if (const SDL_DisplayMode* mode = SdlFullscreenMode()) {
        record.width = mode->w;
        record.height = mode->h;
    }
    char reply = 0;
    pollfd answer = {channel, POLLIN, 0};
    // A guard that is gone or does not answer within a second is not told again.
    if (send(channel, &record, sizeof record, MSG_NOSIGNAL) != ssize_t(sizeof record) ||
        (news == ModeNews::Entering &&
         (poll(&answer, 1, 1000) != 1 || recv(channel, &reply, 1, 0) != 1))) {
        close(channel);
        channel = -1;
    }
}
