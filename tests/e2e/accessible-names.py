#!/usr/bin/python3
"""Prints what a screen reader reads of process PID's windows: each accessible object's name
and description, one a line, as "name | description"."""
import sys

import pyatspi


def walk(node):
    if node.name or node.description:
        print(f"{node.name} | {node.description}")
    for child in node:
        if child is not None:
            walk(child)


pid = int(sys.argv[1])
for application in pyatspi.Registry.getDesktop(0):
    if application is not None and application.get_process_id() == pid:
        walk(application)
