@echo off
rem capture.cmd: the date and the time of one reading of the clock,
rem in variables. tikvan writes into a file of its own, which is read
rem only when tikvan ends with status 0: after a mistyped switch the
rem file holds the usage screen, whose last line looks like a timestamp.
setlocal
set "text=%TEMP%\capture-%RANDOM%.txt"
tikvan /DT > "%text%"
if errorlevel 1 goto failed
for /f "usebackq delims=" %%t in ("%text%") do set "stamp=%%t"
del "%text%"
echo Started at %stamp%
rem The date and the time in two variables, split from the one text
for /f "tokens=1,2" %%a in ("%stamp%") do (
    set "today=%%a"
    set "now=%%b"
)
echo Date %today%, time %now%
exit /b 0

:failed
set status=%errorlevel%
del "%text%" 2> nul
if %status%==9009 echo tikvan.exe was not found: put its folder on PATH
if %status%==255 echo Usage error in "tikvan /DT": see tikvan /?
if %status% lss 255 echo tikvan failed with status %status%
exit /b %status%
