# fish completion of corvane's options. Layout names and display numbers come from the running
# Corvane (corvane --list, which starts it when it does not run).

function __corvane_listed
    corvane --list 2>/dev/null | awk -F '\t' -v kind=$argv[1] '$1 == kind { print $2 }'
end

complete -c corvane -f
complete -c corvane -s h -l help -d 'Print a summary of the options'
complete -c corvane -l help-all -d 'Print the summary with the options of the Qt toolkit'
complete -c corvane -s v -l version -d 'Print the version'
complete -c corvane -l log-level -x -a 'debug info warning error' -d 'Record log lines at this level and above'
complete -c corvane -l snap-active -x -a '1 2 3 4 5 6 7 8 9 next previous up down' -d 'Move the active window to a zone'
complete -c corvane -l snap-all -d 'Move every window of a display to its nearest zone'
complete -c corvane -l apply-layout -x -a '(__corvane_listed layout)' -d 'Use a layout on a display'
complete -c corvane -l display -x -a '(__corvane_listed display)' -d 'With --apply-layout or --snap-all: the display number'
complete -c corvane -l desktop -x -a '(__corvane_listed desktop)' -d 'With --apply-layout: the virtual desktop number'
complete -c corvane -l list -d 'Print the displays and the layouts'
complete -c corvane -l preferences -d 'Open the preferences window'
complete -c corvane -l layout-editor -d 'Open the layout editor'
