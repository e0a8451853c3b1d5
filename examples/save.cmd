@echo off
rem save.cmd SWITCHES FILE: writes the date or time into FILE.
rem "if errorlevel N" holds for status N and above: test 255 first.
tikvan %1 > %2
if errorlevel 255 (
    echo Usage error in "%1": %2 holds the usage screen
    exit /b 255
)
if errorlevel 1 (
    echo tikvan failed with status %errorlevel%
    exit /b 1
)
echo Saved in %2:
type %2
