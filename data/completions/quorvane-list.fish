# fish completion for quorvane-list: one line per option, with its help and its value.

complete -c quorvane-list -f -a '(__fish_complete_directories (commandline -ct))'
complete -c quorvane-list -s h -l help -d 'Show the options'
complete -c quorvane-list -l version -d 'Show the version'
complete -c quorvane-list -l depth -x -d 'Only levels 1 to N below FOLDER'
complete -c quorvane-list -l first-level -d 'Only the folders directly inside FOLDER'
complete -c quorvane-list -l drive -x -a '(quorvane-list --list-drives 2>/dev/null | cut -f2)' -d 'Walk one drive, staying on its volume'
complete -c quorvane-list -l all-drives -d 'Walk every drive in turn'
complete -c quorvane-list -l list-drives -d 'Show each drive: its name, a TAB, its root'
complete -c quorvane-list -l crlf -d "End each entry with CR LF, as the window's text file"
complete -c quorvane-list -s 0 -l null -d 'End each entry with a NUL byte'
complete -c quorvane-list -l containing -x -d 'Keep only the entries that contain TEXT'
complete -c quorvane-list -l not-containing -x -d 'Leave out the entries that contain TEXT'
complete -c quorvane-list -l clipboard-format -d 'The text of "Copy Results To Clipboard"'
complete -c quorvane-list -l xlsx -r -F -d 'Write a workbook'
complete -c quorvane-list -s o -l output -r -F -d 'Write to FILE, replaced once complete'
complete -c quorvane-list -s j -l threads -x -d 'Read folders with N threads ahead of the walk'
complete -c quorvane-list -l show-errors -d 'Name unreadable folders on standard error'
