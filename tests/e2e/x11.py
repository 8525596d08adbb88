"""Small X11 chores for the end-to-end tests.

  x11.py find TITLE   prints the ids of mapped top-level windows titled exactly TITLE
  x11.py close ID     asks window ID to close the way a window manager does (WM_DELETE_WINDOW)

xdotool cannot do either here: its name search reads only WM_NAME of type STRING (SDL's message
boxes set a UTF8_STRING title), and its windowclose destroys the window instead of asking.
"""
import sys

from Xlib import X, display, protocol


def title(d, window):
    for name in ("_NET_WM_NAME", "WM_NAME"):
        prop = window.get_full_property(d.intern_atom(name), X.AnyPropertyType)
        if prop is not None and prop.value:
            value = prop.value
            return value.decode("utf-8", "replace") if isinstance(value, bytes) else str(value)
    return None


def find(d, wanted):
    for window in d.screen().root.query_tree().children:
        try:
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
    d.flush()


def main():
    d = display.Display()
    if sys.argv[1] == "find":
        find(d, sys.argv[2])
    elif sys.argv[1] == "close":
        close(d, int(sys.argv[2], 0))


if __name__ == "__main__":
    main()
