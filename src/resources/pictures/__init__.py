"""Drawing kit and drawings for the program's icons and button pictures."""
