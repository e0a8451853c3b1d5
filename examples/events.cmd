@echo off
rem events.cmd TEXT: adds a line to events.log in the current folder,
rem the date and the time of now and TEXT, and shows the log. The
rem timestamp is taken as in capture.cmd: the log never gets the usage
rem screen.
setlocal
if "%~1"=="" (
    echo Usage: events.cmd TEXT, as in: events.cmd backup started
    exit /b 255
)
set "text=%TEMP%\events-%RANDOM%.txt"
tikvan /DT > "%text%"
if errorlevel 1 goto failed
for /f "usebackq delims=" %%t in ("%text%") do set "stamp=%%t"
del "%text%"
>>events.log echo %stamp% %*
type events.log
exit /b 0

:failed
set status=%errorlevel%
del "%text%" 2> nul
if %status%==9009 echo tikvan.exe was not found: put its folder on PATH
if %status%==255 echo Usage error in "tikvan /DT": see tikvan /?
if %status% lss 255 echo tikvan failed with status %status%
exit /b %status%
