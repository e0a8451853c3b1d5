@echo off
rem save.cmd SWITCHES FILE: saves the date or the time into FILE. tikvan
rem writes into FILE.tmp, which becomes FILE only when tikvan ends with
rem status 0: after a usage error or a failure FILE is as it was.
if "%~2"=="" (
    echo Usage: save.cmd SWITCHES FILE, as in: save.cmd /D today.txt
    exit /b 255
)
tikvan %1 > "%~2.tmp"
if errorlevel 1 goto failed
move /y "%~2.tmp" "%~2" > nul
echo Saved in %~2:
type "%~2"
exit /b 0

:failed
set status=%errorlevel%
del "%~2.tmp" 2> nul
if %status%==9009 echo tikvan.exe was not found: put its folder on PATH
if %status%==255 echo Usage error in "tikvan %~1": see tikvan /?
if %status% lss 255 echo tikvan failed with status %status%
exit /b %status%
