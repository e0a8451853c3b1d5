@echo off
rem logname.cmd: a log file name from the date and the time without
rem their separators, whichever of "/", "-", "." and ":" the regional
rem settings use. The text is taken as in capture.cmd, after status 0.
setlocal
set "text=%TEMP%\logname-%RANDOM%.txt"
tikvan /DT > "%text%"
if errorlevel 1 goto failed
for /f "usebackq delims=" %%t in ("%text%") do set "stamp=%%t"
del "%text%"
for /f "tokens=1-6 delims=/-.: " %%a in ("%stamp%") do (
    set "log=backup-%%a%%b%%c-%%d%%e%%f.log"
)
echo Backup started>> "%log%"
echo Log file: %log%
exit /b 0

:failed
set status=%errorlevel%
del "%text%" 2> nul
if %status%==9009 echo tikvan.exe was not found: put its folder on PATH
if %status%==255 echo Usage error in "tikvan /DT": see tikvan /?
if %status% lss 255 echo tikvan failed with status %status%
exit /b %status%
