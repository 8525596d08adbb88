"""Small X11 chores for the end-to-end tests.

  x11.py find TITLE   prints the ids of mapped top-level windows titled exactly TITLE, framed by a
                      window manager or not
  x11.py close ID     asks window ID to close the way a window manager does (WM_DELETE_WINDOW)
  x11.py decoy TITLE  shows a small window titled TITLE, which can take the focus, until killed or
                      the display goes away
  x11.py size         prints the screen's size now, such as 1920x1080
  x11.py window_manager  fails while no window manager runs on the display
  x11.py focus ID SECONDS  gives window ID the keyboard focus the way a window manager does:
                      with WM_TAKE_FOCUS, which Wine waits for before it activates its window,
                      and again while it does not stay there for SECONDS (see focus())

xdotool cannot do either here: its name search reads only WM_NAME of type STRING (SDL's message
boxes set a UTF8_STRING title), and its windowclose destroys the window instead of asking.
"""
import sys
import time

from Xlib import X, display, error, protocol


def title(d, window):
    for name in ("_NET_WM_NAME", "WM_NAME"):
        prop = window.get_full_property(d.intern_atom(name), X.AnyPropertyType)
        if prop is not None and prop.value:
            value = prop.value
            return value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)
    return None


def find(d, wanted):
    # A window manager puts each top-level window into a frame of its own, a child of the root.
    for top in d.screen().root.query_tree().children:
        try:
            for window in [top] + list(top.query_tree().children):
                if window.get_attributes().map_state == X.IsViewable and title(d, window) == wanted:
                    print(window.id)
        except Exception:  # a window that went away while we looked
            pass


def close(d, window_id):
    window = d.create_resource_object("window", window_id)
    protocols = d.intern_atom("WM_PROTOCOLS")
    delete = d.intern_atom("WM_DELETE_WINDOW")
    event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                         data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(event, event_mask=X.NoEventMask)
    # A round trip, not a flush: python-xlib's flush makes one non-blocking attempt to send, so
    # a request could still be unsent when this script ended (about one close in fifteen with
    # four tests side by side).
    d.sync()


# Like a window manager, this one has the last word on the focus: it must stay on the window for
# `span` seconds, or it is given again, for up to 10 s, and then this fails loudly. The span is the
# condition, not a guess at a delay: a client that takes the focus back does so when it reads its
# FocusOut event, which the program does once a frame, so the caller passes three of the
# program's frames as it measured them just before. Focus changes sent with a flush were once lost
# under load (about one in 40); with the round trip of close() none was lost in 270 changes.
def focus(d, window_id, span):
    window = d.create_resource_object("window", window_id)
    protocols = d.intern_atom("WM_PROTOCOLS")
    take_focus = d.intern_atom("WM_TAKE_FOCUS")
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        event = protocol.event.ClientMessage(window=window, client_type=protocols,
                                             data=(32, [take_focus, X.CurrentTime, 0, 0, 0]))
        window.send_event(event, event_mask=X.NoEventMask)
        window.set_input_focus(X.RevertToParent, X.CurrentTime)
        d.sync()
        settled = time.monotonic() + span
        while time.monotonic() < settled and d.get_input_focus().focus == window:
            time.sleep(0.01)
        if time.monotonic() >= settled:
            return
    sys.exit(f"the focus does not stay on window {window_id:#x}")


def decoy(d, name):
    screen = d.screen()
    window = screen.root.create_window(0, 0, 64, 64, 0, screen.root_depth,
                                       background_pixel=screen.white_pixel,
                                       event_mask=X.FocusChangeMask)
    window.set_wm_name(name)
    window.map()
    d.flush()
    try:
        while True:
            d.next_event()
    except error.ConnectionClosedError:
        pass  # the test is over and its display with it


def window_manager(d):
    # A running window manager names its check window on the root, as EWMH asks.
    check = d.screen().root.get_full_property(d.intern_atom("_NET_SUPPORTING_WM_CHECK"),
                                              X.AnyPropertyType)
    if check is None:
        sys.exit("no window manager")


def main():
    d = display.Display()
    if sys.argv[1] == "find":
        find(d, sys.argv[2])
    elif sys.argv[1] == "close":
        close(d, int(sys.argv[2], 0))
    elif sys.argv[1] == "focus":
        focus(d, int(sys.argv[2], 0), float(sys.argv[3]))
    elif sys.argv[1] == "decoy":
        decoy(d, sys.argv[2])
    elif sys.argv[1] == "size":
        geometry = d.screen().root.get_geometry()
        print(f"{geometry.width}x{geometry.height}")
    elif sys.argv[1] == "window_manager":
        window_manager(d)


if __name__ == "__main__":
    main()
