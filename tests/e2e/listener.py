"""A screen reader's side of the accessibility bus, and nothing more: it
turns the toolkits' accessibility on, registers for events (which starts the
registry) and listens until it is ended. Says "listening" once ready."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from screen_reader import Atspi, enable_accessibility  # noqa: E402

enable_accessibility()
listener = Atspi.EventListener.new(lambda event: None)
for kind in ('window:activate', 'object:state-changed', 'object:children-changed'):
    listener.register(kind)
print('listening', flush=True)
sys.stdout.close()
Atspi.event_main()
