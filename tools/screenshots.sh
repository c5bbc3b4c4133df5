#!/bin/sh
echo "screenshots: not written yet"
